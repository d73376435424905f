// The yes/no box editor: the question, the variable, and the two answers it stores.
#pragma once

#include "commands/prompts/CmdYesNoBox.h"
#include "commands/prompts/PromptEditorDlg.h"

namespace vendrel::commands {

class CYesNoBoxDlg : public PromptEditorDlg<CmdYesNoBox> {
 public:
  explicit CYesNoBoxDlg(const CmdYesNoBox& command);
};

}  // namespace vendrel::commands
