// The OK message box editor: the text to show.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/prompts/CmdOkMsgBox.h"

namespace vendrel::commands {

class COKMsgBoxDlg : public FieldsDlg<CmdOkMsgBox> {
 public:
  explicit COKMsgBoxDlg(const CmdOkMsgBox& command);
};

}  // namespace vendrel::commands
