// On Windows a Windows path is already native.
#include "platform/NativePath.h"

namespace vendrel::platform {

std::filesystem::path NativePath(const std::wstring& windowsPath) {
  return windowsPath;
}

std::wstring WindowsPath(const std::filesystem::path& nativePath) {
  return nativePath.wstring();
}

std::wstring PathText(const std::filesystem::path& path) {
  return path.native();
}

}  // namespace vendrel::platform
