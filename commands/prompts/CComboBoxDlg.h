// The combo box editor: the prompt, the variable, and the choices one per line.
#pragma once

#include <string>
#include <vector>

#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/PromptEditorDlg.h"

namespace vendrel::commands {

class CComboBoxDlg : public PromptEditorDlg {
 public:
  explicit CComboBoxDlg(const CmdComboBox& command);

  CmdComboBox::Fields Values() const { return {Variable(), Prompt(), choices_}; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  std::vector<std::wstring> choices_;
};

}  // namespace vendrel::commands
