// The move-folder editor: the folder and where it goes.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdMoveFolder.h"

namespace vendrel::commands {

class CMoveFolderDlg : public FieldsDlg<CmdMoveFolder> {
 public:
  explicit CMoveFolderDlg(const CmdMoveFolder& command);
};

}  // namespace vendrel::commands
