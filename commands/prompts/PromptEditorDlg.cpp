// The prompt editors' shared part: nothing typed is checked, OK always stores.
#include "commands/prompts/PromptEditorDlg.h"

namespace vendrel::commands {

PromptEditorDlg::PromptEditorDlg(Controls controls, const wchar_t* section, const Cmd& command,
                                 std::wstring prompt, std::wstring variable)
    : controls_(controls),
      section_(section),
      variables_(controls.variables, controls.editVariables, command),
      prompt_(std::move(prompt)),
      variable_(std::move(variable)) {}

void PromptEditorDlg::OnInit() {
  mbInitStrWnd(&Ui(), section_, false, L"", L"", L"");
  Ui().SetText(controls_.prompt, prompt_);
  variables_.Fill(Ui(), variable_);
}

void PromptEditorDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event == platform::ControlEvent::kClicked) variables_.OnClicked(Ui(), control);
}

bool PromptEditorDlg::OnOk() {
  prompt_ = Ui().Text(controls_.prompt);
  variable_ = variables_.Chosen(Ui());
  return true;
}

}  // namespace vendrel::commands
