// The create-folder editor: the path of the new folder.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdCreateFolder.h"

namespace vendrel::commands {

class CCreateFolderDlg : public TextFieldsDlg {
 public:
  explicit CCreateFolderDlg(const CmdCreateFolder& command);

  const std::wstring& Path() const { return Text(0); }
};

}  // namespace vendrel::commands
