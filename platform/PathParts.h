// A Windows path split at its last backslash.
#pragma once

#include <string>

namespace vendrel::platform {

// The part before the last backslash; empty when there is none.
inline std::wstring FolderOfPath(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The part after the last backslash; the whole path when there is none.
inline std::wstring NameOfPath(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace vendrel::platform
