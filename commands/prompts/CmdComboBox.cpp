// Combo box: the expanded choices, sorted, in CRunComboBoxDlg; Cancel stores the empty text.
#include "commands/prompts/CmdComboBox.h"

#include "commands/core/VarHandler.h"
#include "commands/prompts/CComboBoxDlg.h"
#include "commands/prompts/CRunComboBoxDlg.h"

namespace vendrel::commands {

std::wstring CmdComboBox::Summarize(const Fields& fields) const {
  std::wstring summary = fields.variable + L" = ";
  for (const std::wstring& choice : fields.choices) summary += choice + L" | ";
  return summary;
}

bool CmdComboBox::Edit(platform::Window parent) {
  return EditWith(CComboBoxDlg(*this), parent);
}

bool CmdComboBox::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  std::vector<std::wstring> choices;
  for (const std::wstring& choice : fields_.choices)
    choices.push_back(variables.Expand(choice, false));
  // The prompt shows in a static control, where a single ampersand would underline.
  CRunComboBoxDlg dialog(variables.Expand(fields_.prompt, true), std::move(choices));
  // Without a dialog runner nobody can answer: the answer stays empty, as after Cancel.
  if (platform::DialogRunner* dialogs = run.Service(&platform::Services::dialogs))
    dialogs->Run(dialog, run.ownerWindow);
  variables.SetRuntimeValue(fields_.variable, dialog.Answer());
  return true;
}

}  // namespace vendrel::commands
