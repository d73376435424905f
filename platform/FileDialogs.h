// The common file dialogs, Open and Save As. Flags use the Win32 values (OFN_*) so that both
// builds speak the same numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Ui.h"

namespace vendrel::platform {

namespace ofn {
inline constexpr std::uint32_t kOverwritePrompt = 0x2;
inline constexpr std::uint32_t kHideReadOnly = 0x4;
inline constexpr std::uint32_t kPathMustExist = 0x800;
inline constexpr std::uint32_t kFileMustExist = 0x1000;
}  // namespace ofn

enum class FileDialogKind { kOpen, kSave };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::kOpen;
  Window owner = 0;
  // Descriptions and their patterns, each followed by "|", and one more "|" at the end:
  // "Text (*.txt)|*.txt|All files (*.*)|*.*||".
  std::wstring filter;
  std::wstring defaultExtension;  // without the dot; added to a chosen name that has none
  std::wstring fileName;          // proposed at first
  std::uint32_t flags = 0;        // ofn:: bits; the Explorer style is always on
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen file's full path; empty when the dialog was cancelled.
  virtual std::optional<std::wstring> Choose(const FileDialogRequest& request) = 0;
};

}  // namespace vendrel::platform
