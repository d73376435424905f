// The items of each kind of notification, filled as the host fills them: which integer holds
// the file id and which the folder id differs from kind to kind.
#pragma once

#include <cstdint>
#include <string>

#include "host/AddIn.h"

namespace vendrel::tools {

// Menu command: a selected file, or a selected folder (first integer 1) the add-in expands.
inline host::HostNotificationItem MenuFileItem(std::int32_t fileId, std::int32_t folderId,
                                               const std::wstring& path) {
  host::HostNotificationItem item;
  item.first = fileId;
  item.third = folderId;
  item.firstText = path;
  return item;
}
inline host::HostNotificationItem MenuFolderItem(std::int32_t folderId, const std::wstring& path) {
  host::HostNotificationItem item;
  item.first = 1;
  item.second = folderId;
  item.firstText = path;
  return item;
}

// Check out, check in, undo check out.
inline host::HostNotificationItem CheckOutItem(std::int32_t fileId, std::int32_t folderId,
                                               const std::wstring& path) {
  host::HostNotificationItem item;
  item.first = fileId;
  item.second = folderId;
  item.firstText = path;
  return item;
}

inline host::HostNotificationItem StateChangeItem(std::int32_t fileId, std::int32_t folderId,
                                                  const std::wstring& path, std::int32_t stateId) {
  host::HostNotificationItem item;
  item.first = fileId;
  item.second = folderId;
  item.firstText = path;
  item.fourth = stateId;
  return item;
}

// Add: the folder first; the file id is 0 before the file exists.
inline host::HostNotificationItem AddItem(std::int32_t folderId, std::int32_t fileId,
                                          const std::wstring& path) {
  host::HostNotificationItem item;
  item.first = folderId;
  item.second = fileId;
  item.firstText = path;
  return item;
}

}  // namespace vendrel::tools
