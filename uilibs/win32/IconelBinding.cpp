// The calls into Iconel.dll: not one of the redirected libraries, it is still taken from the
// installation folder and nowhere else.
#include "uilibs/win32/Iconel.h"

#include "uilibs/win32/HostLibraries.h"
#include "uilibs/win32/IconelAbi.h"

namespace vendrel::iconel {

namespace {

uilibs::LazyLibrary& Library() {
  static uilibs::LazyLibrary library(L"Iconel.dll",
                                     uilibs::LazyLibrary::Where::kInstallationFolder);
  return library;
}

#define VENDREL_ICONEL_ENTRY(type, name) VENDREL_LAZY_ENTRY(Library(), type, name)

// Loads nothing and answers null when the library is missing: icons are decoration.
template <class Call>
auto Guarded(Call call) -> decltype(call()) {
  try {
    return call();
  } catch (const uilibs::MissingEntry&) {
    return nullptr;
  }
}

}  // namespace

UniqueIcon HostIcon(std::int32_t id, std::int32_t size) {
  return UniqueIcon(Guarded([&] {
    return IsImageId(id)
               ? VENDREL_ICONEL_ENTRY(GhLoadWfPngImageIconImpl, "ghLoadWfPNGImageIconImpl")(id)
               : VENDREL_ICONEL_ENTRY(GhLoadWfIconImpl, "ghLoadWfIconImpl")(id, size);
  }));
}

UniqueBitmap HostImage(std::int32_t id) {
  return UniqueBitmap(Guarded(
      [&] { return VENDREL_ICONEL_ENTRY(GhLoadWfPngImageImpl, "ghLoadWfPNGImageImpl")(id); }));
}

}  // namespace vendrel::iconel
