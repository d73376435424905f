// The user's local application-data folder, as the shell knows it.
#include <shlobj.h>
#include <windows.h>

#include "platform/RunLog.h"

namespace vendrel::platform {

std::filesystem::path LocalAppDataFolder() {
  PWSTR path = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder.empty() ? std::filesystem::temp_directory_path() : folder;
}

}  // namespace vendrel::platform
