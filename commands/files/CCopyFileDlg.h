// The copy-file editor: the source file and where it goes.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdCopyFile.h"

namespace vendrel::commands {

class CCopyFileDlg : public TextFieldsDlg {
 public:
  explicit CCopyFileDlg(const CmdCopyFile& command);

  const std::wstring& Source() const { return Text(0); }
  const std::wstring& Destination() const { return Text(1); }
};

}  // namespace vendrel::commands
