// The common file dialogs of comdlg32.
#pragma once

#include "platform/FileDialogs.h"

namespace vendrel::platform {

// GetOpenFileNameW and GetSaveFileNameW in the Explorer style.
class Win32FileDialogs final : public FileDialogs {
 public:
  std::optional<std::wstring> Choose(const FileDialogRequest& request) override;
};

}  // namespace vendrel::platform
