// Drive mapping with case-insensitive lookup of existing path components.
#include "platform/posix/DriveMap.h"

#include <cstdlib>
#include <cwctype>
#include <system_error>
#include <vector>

#include "platform/CaseFold.h"
#include "platform/NativePath.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace vendrel::platform::posix {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

std::vector<std::wstring> Components(std::wstring_view path) {
  std::vector<std::wstring> parts;
  std::wstring current;
  for (wchar_t c : path) {
    if (IsSeparator(c)) {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

// The existing entry of `dir` that matches `name` regardless of case, else `name` as given.
fs::path Resolve(const fs::path& dir, const std::wstring& name) {
  const fs::path exact = dir / ToUtf8(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    const fs::path found = it->path().filename();
    if (SameIgnoringCase(FromUtf8(found.string()), name)) return dir / found;
  }
  return exact;
}

}  // namespace

DriveMap::DriveMap(fs::path drivesRoot) : root_(std::move(drivesRoot)) {}

fs::path DriveMap::DefaultRoot() {
  if (const char* drives = std::getenv("VENDREL_DRIVES"); drives && *drives) return drives;
  if (const char* home = std::getenv("HOME"); home && *home)
    return fs::path(home) / ".vendrel" / "drives";
  return fs::temp_directory_path() / "vendrel-drives";
}

fs::path DriveMap::ToNative(const std::wstring& windowsPath) const {
  std::wstring_view rest = windowsPath;
  fs::path result;
  if (rest.size() >= 2 && rest[1] == L':' && std::iswalpha(static_cast<wint_t>(rest[0]))) {
    const wchar_t drive = LowerCase(rest[0]);
    result = root_ / ToUtf8(std::wstring(1, drive));
    rest.remove_prefix(2);
  } else if (!rest.empty() && IsSeparator(rest[0])) {
    result = "/";
  }
  // A drive's root and "/" have no parent, as on Windows; a relative path may climb out of the
  // current folder.
  const fs::path top = result;
  for (const std::wstring& part : Components(rest)) {
    if (part == L".") continue;
    if (part == L"..") {
      if (top.empty() && (result.empty() || result.filename() == "..")) {
        result /= "..";
      } else if (result != top) {
        result = result.parent_path();
      }
      continue;
    }
    result = Resolve(result, part);
  }
  return result;
}

std::wstring DriveMap::ToWindows(const fs::path& nativePath) const {
  const fs::path path = nativePath.lexically_normal();
  const fs::path relative = path.lexically_relative(root_.lexically_normal());
  std::wstring text;
  auto it = relative.begin();
  if (!relative.empty() && it != relative.end() && *it != ".." && it->string().size() == 1) {
    text = UpperCase(static_cast<wchar_t>(it->string()[0]));
    text += L':';
    for (++it; it != relative.end(); ++it) {
      if (it->empty()) continue;
      text += L'\\';
      text += FromUtf8(it->string());
    }
    return text.size() == 2 ? text + L'\\' : text;
  }
  text = FromUtf8(path.string());
  for (wchar_t& c : text)
    if (c == L'/') c = L'\\';
  return text;
}

}  // namespace vendrel::platform::posix

namespace vendrel::platform {

fs::path NativePath(const std::wstring& windowsPath) {
  return posix::DriveMap(posix::DriveMap::DefaultRoot()).ToNative(windowsPath);
}

std::wstring WindowsPath(const fs::path& nativePath) {
  return posix::DriveMap(posix::DriveMap::DefaultRoot()).ToWindows(nativePath);
}

}  // namespace vendrel::platform
