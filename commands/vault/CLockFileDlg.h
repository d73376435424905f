// The check-out editor: the path of the file.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/vault/CmdLockFile.h"

namespace vendrel::commands {

class CLockFileDlg : public FieldsDlg<CmdLockFile> {
 public:
  explicit CLockFileDlg(const CmdLockFile& command);
};

}  // namespace vendrel::commands
