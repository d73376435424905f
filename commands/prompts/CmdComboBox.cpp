// Combo box: the expanded choices, sorted, in CRunComboBoxDlg; Cancel stores the empty text.
#include "commands/prompts/CmdComboBox.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/prompts/CComboBoxDlg.h"
#include "commands/prompts/CRunComboBoxDlg.h"

namespace vendrel::commands {

CmdComboBox::CmdComboBox(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdComboBox::Assign(Fields fields) {
  fields_ = std::move(fields);
  std::wstring summary = fields_.variable + L" = ";
  for (const std::wstring& choice : fields_.choices) summary += choice + L" | ";
  SetSummary(std::move(summary));
}

bool CmdComboBox::Edit(platform::Window parent) {
  CComboBoxDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Values());
  return true;
}

void CmdComboBox::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(fields_.prompt);
  archive.Text(fields_.variable);
  if (archive.IsStoring()) {
    archive.WriteInt32(static_cast<std::int32_t>(fields_.choices.size()));
    for (const std::wstring& choice : fields_.choices) archive.WriteText(choice);
    return;
  }
  // Loaded choices are appended to those the command has.
  const std::int32_t count = archive.ReadInt32();
  for (std::int32_t i = 0; i < count; ++i) fields_.choices.push_back(archive.ReadText());
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
