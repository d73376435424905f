// The combo box editor: the prompt, the variable, and the choices one per line.
#pragma once

#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/PromptEditorDlg.h"

namespace vendrel::commands {

class CComboBoxDlg : public PromptEditorDlg<CmdComboBox> {
 public:
  explicit CComboBoxDlg(const CmdComboBox& command);
};

}  // namespace vendrel::commands
