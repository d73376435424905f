// The OK message box editor: the text to show.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/prompts/CmdOkMsgBox.h"

namespace vendrel::commands {

class COKMsgBoxDlg : public TextFieldsDlg {
 public:
  explicit COKMsgBoxDlg(const CmdOkMsgBox& command);

  const std::wstring& Message() const { return Text(0); }
};

}  // namespace vendrel::commands
