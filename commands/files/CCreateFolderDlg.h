// The create-folder editor: the path of the new folder.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdCreateFolder.h"

namespace vendrel::commands {

class CCreateFolderDlg : public TextFieldsDlg {
 public:
  static constexpr std::int32_t kTemplate = 233;

  explicit CCreateFolderDlg(const CmdCreateFolder& command);

  const std::wstring& Path() const { return Text(0); }
};

}  // namespace vendrel::commands
