// Where a Windows path lies on this machine: itself on Windows, a mapped folder on posix.
#pragma once

#include <filesystem>
#include <string>

namespace vendrel::platform {

std::filesystem::path NativePath(const std::wstring& windowsPath);
// The Windows form of a native path (the reverse of NativePath).
std::wstring WindowsPath(const std::filesystem::path& nativePath);

// A local path as text, whatever the locale: posix names are UTF-8, where path::wstring() would
// convert by the C locale and refuse anything beyond ASCII.
std::wstring PathText(const std::filesystem::path& path);

}  // namespace vendrel::platform
