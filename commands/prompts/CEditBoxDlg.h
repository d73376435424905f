// The edit box editor: the prompt and the variable that receives the typed answer.
#pragma once

#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/PromptEditorDlg.h"

namespace vendrel::commands {

class CEditBoxDlg : public PromptEditorDlg<CmdEditBox> {
 public:
  explicit CEditBoxDlg(const CmdEditBox& command);
};

}  // namespace vendrel::commands
