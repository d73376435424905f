// The create-folder editor: the path of the new folder.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdCreateFolder.h"

namespace vendrel::commands {

class CCreateFolderDlg : public FieldsDlg<CmdCreateFolder> {
 public:
  explicit CCreateFolderDlg(const CmdCreateFolder& command);
};

}  // namespace vendrel::commands
