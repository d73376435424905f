// The check-out editor: the path of the file.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/vault/CmdLockFile.h"

namespace vendrel::commands {

class CLockFileDlg : public TextFieldsDlg {
 public:
  explicit CLockFileDlg(const CmdLockFile& command);

  const std::wstring& Path() const { return Text(0); }
};

}  // namespace vendrel::commands
