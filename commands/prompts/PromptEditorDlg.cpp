// The prompt editors' shared part: nothing typed is checked, OK always stores.
#include "commands/prompts/PromptEditorDlg.h"

#include "actions/Action.h"
#include "commands/core/CVariableComboBox.h"
#include "commands/core/CmdSetVar.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

std::wstring NoVariables() {
  return strings::Load(132, L"There are no run-time variables to show.");
}

}  // namespace

PromptEditorDlg::PromptEditorDlg(Controls controls, const wchar_t* section, const Cmd& command,
                                 std::wstring prompt, std::wstring variable)
    : controls_(controls),
      section_(section),
      action_(command.Owner()),
      vault_(command.Vault()),
      services_(command.Services()),
      prompt_(std::move(prompt)),
      variable_(std::move(variable)) {}

void PromptEditorDlg::OnInit() {
  mbInitStrWnd(&Ui(), section_, false, L"", L"", L"");
  Ui().SetText(controls_.prompt, prompt_);
  FillVariables();
}

void PromptEditorDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (control == controls_.editVariables && event == platform::ControlEvent::kClicked)
    EditVariables();
}

bool PromptEditorDlg::OnOk() {
  prompt_ = Ui().Text(controls_.prompt);
  const std::int32_t chosen = Ui().SelectedItem(controls_.variables);
  const bool named = Ui().IsEnabled(controls_.variables) && chosen >= 0;
  variable_ = named ? Ui().ItemText(controls_.variables, chosen) : std::wstring();
  return true;
}

bool PromptEditorDlg::FillVariables() {
  CVariableComboBox(controls_.variables)
      .Fill(Ui(), action_, variable_, actions::Variable::kRuntime, false);
  if (Ui().ItemCount(controls_.variables) > 0) return true;
  Ui().SelectItem(controls_.variables, Ui().AddItem(controls_.variables, NoVariables(), 0));
  Ui().Enable(controls_.variables, false);
  return false;
}

void PromptEditorDlg::EditVariables() {
  const std::int32_t remembered = Ui().SelectedItem(controls_.variables);
  {
    CmdSetVar variables(action_);
    variables.SetVault(vault_.Get());
    variables.SetServices(services_);
    variables.Edit(Ui().Handle());
  }
  Ui().ClearItems(controls_.variables);
  if (FillVariables()) {
    Ui().Enable(controls_.variables, true);
    Ui().SelectItem(controls_.variables, remembered);
  }
}

}  // namespace vendrel::commands
