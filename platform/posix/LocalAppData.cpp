// Where the user's local application data lies natively.
#include <cstdlib>

#include "platform/RunLog.h"

namespace vendrel::platform {

std::filesystem::path LocalAppDataFolder() {
  if (const char* folder = std::getenv("VENDREL_LOCALAPPDATA"); folder && *folder) return folder;
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".local" / "share";
  }
  return std::filesystem::temp_directory_path();
}

}  // namespace vendrel::platform
