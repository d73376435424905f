// The move-folder editor: the folder and where it goes.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdMoveFolder.h"

namespace vendrel::commands {

class CMoveFolderDlg : public TextFieldsDlg {
 public:
  explicit CMoveFolderDlg(const CmdMoveFolder& command);

  const std::wstring& OldPath() const { return Text(0); }
  const std::wstring& NewPath() const { return Text(1); }
};

}  // namespace vendrel::commands
