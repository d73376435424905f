// The type id of every command kind. Ids are stored in action files and in the vault: they
// never change.
#pragma once

#include <cstdint>

namespace vendrel::commands {

inline constexpr std::int32_t kSetVarType = 0;  // the variable editor, never in a command list
inline constexpr std::int32_t kEditBoxType = 1;
inline constexpr std::int32_t kLabelType = 2;
inline constexpr std::int32_t kOkMsgBoxType = 3;
inline constexpr std::int32_t kAllDocumentsType = 4;
inline constexpr std::int32_t kEndAllDocumentsType = 5;
inline constexpr std::int32_t kComboBoxType = 6;
inline constexpr std::int32_t kYesNoBoxType = 7;
inline constexpr std::int32_t kJumpType = 8;
inline constexpr std::int32_t kRegistryType = 9;
inline constexpr std::int32_t kWaitType = 10;
inline constexpr std::int32_t kDeleteFileType = 11;
inline constexpr std::int32_t kShellType = 12;
inline constexpr std::int32_t kGenerateFileType = 13;
inline constexpr std::int32_t kCreateFolderType = 14;
inline constexpr std::int32_t kMoveFolderType = 15;
inline constexpr std::int32_t kMoveFileType = 16;
inline constexpr std::int32_t kLockFileType = 17;
inline constexpr std::int32_t kUnlockFileType = 18;
inline constexpr std::int32_t kCopyFileType = 19;
inline constexpr std::int32_t kAllConfigsType = 20;
inline constexpr std::int32_t kEndAllConfigsType = 21;
inline constexpr std::int32_t kCancelType = 22;
inline constexpr std::int32_t kGetFileType = 23;
inline constexpr std::int32_t kSendMsgType = 24;
inline constexpr std::int32_t kSetCardVarType = 25;

inline constexpr std::int32_t kFirstListType = kEditBoxType;
inline constexpr std::int32_t kLastListType = kSetCardVarType;

// Flow commands answer false when they do not jump; that is no failure.
constexpr bool SteersFlow(std::int32_t type) {
  switch (type) {
    case kLabelType:
    case kJumpType:
    case kAllDocumentsType:
    case kEndAllDocumentsType:
    case kAllConfigsType:
    case kEndAllConfigsType:
    case kCancelType:
      return true;
    default:
      return false;
  }
}

}  // namespace vendrel::commands
