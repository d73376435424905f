// The items of each kind of notification, filled as the host fills them: which integer holds
// the file id and which the folder id differs from kind to kind.
#pragma once

#include <cstdint>
#include <string>

#include "host/AddIn.h"

namespace vendrel::tools {

namespace notification_items {

// The integers of an item that a kind fills; the others stay 0.
struct Integers {
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::int32_t third = 0;
  std::int32_t fourth = 0;
};

inline host::HostNotificationItem Item(const Integers& integers, const std::wstring& path) {
  host::HostNotificationItem item;
  item.first = integers.first;
  item.second = integers.second;
  item.third = integers.third;
  item.fourth = integers.fourth;
  item.firstText = path;
  return item;
}

}  // namespace notification_items

// Menu command: a selected file, or a selected folder (first integer 1) the add-in expands.
inline host::HostNotificationItem MenuFileItem(std::int32_t fileId, std::int32_t folderId,
                                               const std::wstring& path) {
  return notification_items::Item({.first = fileId, .third = folderId}, path);
}
inline host::HostNotificationItem MenuFolderItem(std::int32_t folderId, const std::wstring& path) {
  return notification_items::Item({.first = 1, .second = folderId}, path);
}

// Check out, check in, undo check out.
inline host::HostNotificationItem CheckOutItem(std::int32_t fileId, std::int32_t folderId,
                                               const std::wstring& path) {
  return notification_items::Item({.first = fileId, .second = folderId}, path);
}

// A state change: the file as for a check out, and the new state.
inline host::HostNotificationItem StateChangeItem(std::int32_t fileId, std::int32_t folderId,
                                                  const std::wstring& path, std::int32_t stateId) {
  host::HostNotificationItem item = CheckOutItem(fileId, folderId, path);
  item.fourth = stateId;
  return item;
}

// Add: the folder first; the file id is 0 before the file exists.
inline host::HostNotificationItem AddItem(std::int32_t folderId, std::int32_t fileId,
                                          const std::wstring& path) {
  return notification_items::Item({.first = folderId, .second = fileId}, path);
}

}  // namespace vendrel::tools
