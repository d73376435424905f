// The move-file editor: the file and its new name.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdMoveFile.h"

namespace vendrel::commands {

class CMoveFileDlg : public FieldsDlg<CmdMoveFile> {
 public:
  explicit CMoveFileDlg(const CmdMoveFile& command);
};

}  // namespace vendrel::commands
