// The get-file editor: the path, and whether an earlier local version is replaced too.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/vault/CmdGetFile.h"

namespace vendrel::commands {

class CGetFileDlg : public FieldsDlg<CmdGetFile> {
 public:
  explicit CGetFileDlg(const CmdGetFile& command);
};

}  // namespace vendrel::commands
