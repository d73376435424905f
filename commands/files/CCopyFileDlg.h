// The copy-file editor: the source file and where it goes.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdCopyFile.h"

namespace vendrel::commands {

class CCopyFileDlg : public FieldsDlg<CmdCopyFile> {
 public:
  explicit CCopyFileDlg(const CmdCopyFile& command);
};

}  // namespace vendrel::commands
