// The yes/no box editor: the question, the variable, and the two answers it stores.
#pragma once

#include "commands/prompts/CmdYesNoBox.h"
#include "commands/prompts/PromptEditorDlg.h"

namespace vendrel::commands {

class CYesNoBoxDlg : public PromptEditorDlg {
 public:
  explicit CYesNoBoxDlg(const CmdYesNoBox& command);

  CmdYesNoBox::Fields Values() const { return {Variable(), Prompt(), yesValue_, noValue_}; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  std::wstring yesValue_;
  std::wstring noValue_;
};

}  // namespace vendrel::commands
