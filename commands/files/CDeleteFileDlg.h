// The delete-file editor: the path and whether the vault deletes the file.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdDeleteFile.h"

namespace vendrel::commands {

class CDeleteFileDlg : public FieldsDlg<CmdDeleteFile> {
 public:
  explicit CDeleteFileDlg(const CmdDeleteFile& command);
};

}  // namespace vendrel::commands
