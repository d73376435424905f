// The move-file editor: the file and its new name.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdMoveFile.h"

namespace vendrel::commands {

class CMoveFileDlg : public TextFieldsDlg {
 public:
  explicit CMoveFileDlg(const CmdMoveFile& command);

  const std::wstring& Source() const { return Text(0); }
  const std::wstring& NewName() const { return Text(1); }
};

}  // namespace vendrel::commands
