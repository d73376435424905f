// The check-in editor: the path of the file and the comment.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/vault/CmdUnlockFile.h"

namespace vendrel::commands {

class CUnlockFileDlg : public TextFieldsDlg {
 public:
  explicit CUnlockFileDlg(const CmdUnlockFile& command);

  const std::wstring& Path() const { return Text(0); }
  const std::wstring& Comment() const { return Text(1); }
};

}  // namespace vendrel::commands
