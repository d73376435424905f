// Loading of the in-house UI libraries by full path from the host's installation folder.
#include "uilibs/win32/HostLibraries.h"

#include "uilibs/win32/HostSettings.h"

namespace vendrel::uilibs {

std::optional<std::wstring> RedirectedLibraryPath(const std::wstring& name) {
  for (const wchar_t* own : {L"Lexicor.dll", L"Glyphex.dll", L"Alertik.dll"}) {
    if (CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), own, -1, TRUE) ==
        CSTR_EQUAL)
      return InstallationFolder() + own;
  }
  return std::nullopt;
}

FARPROC LazyLibrary::Resolve(const char* entryPoint) {
  std::call_once(once_, [this] {
    const std::optional<std::wstring> own = where_ == Where::kInstallationFolder
                                                ? std::optional(InstallationFolder() + name_)
                                                : RedirectedLibraryPath(name_);
    if (!own) {
      module_ = LoadLibraryW(name_);
      return;
    }
    // Without a registered installation folder ours stay unloaded: a bare name would let the
    // search order pick up any file of that name, from the current folder or the PATH.
    if (!InstallationFolder().empty()) module_ = LoadLibraryW(own->c_str());
  });
  return module_ ? GetProcAddress(module_, entryPoint) : nullptr;
}

}  // namespace vendrel::uilibs
