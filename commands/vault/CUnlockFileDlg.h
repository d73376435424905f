// The check-in editor: the path of the file and the comment.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/vault/CmdUnlockFile.h"

namespace vendrel::commands {

class CUnlockFileDlg : public FieldsDlg<CmdUnlockFile> {
 public:
  explicit CUnlockFileDlg(const CmdUnlockFile& command);
};

}  // namespace vendrel::commands
