// Yes/no message box: the answers are stored as written, without expansion.
#include "commands/prompts/CmdYesNoBox.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/prompts/CYesNoBoxDlg.h"

namespace vendrel::commands {

CmdYesNoBox::CmdYesNoBox(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdYesNoBox::Assign(Fields fields) {
  fields_ = std::move(fields);
  SetSummary(fields_.variable + L" = " + fields_.yesValue + L" || " + fields_.noValue);
}

bool CmdYesNoBox::Edit(platform::Window parent) {
  CYesNoBoxDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Values());
  return true;
}

void CmdYesNoBox::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(fields_.prompt);
  archive.Text(fields_.variable);
  archive.Text(fields_.yesValue);
  archive.Text(fields_.noValue);
}

bool CmdYesNoBox::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  platform::MessageBoxRequest request{run.ownerWindow, variables.Expand(fields_.prompt, false),
                                      L"Vendrel", platform::mb::kYesNo};
  // Nobody to ask answers no.
  bool yes = false;
  if (platform::MessageBoxes* boxes = run.Service(&platform::Services::messageBoxes)) {
    // Without a live owner the question must still come to the front.
    if (!boxes->IsLiveWindow(run.ownerWindow)) {
      request.owner = 0;
      request.style |= platform::mb::kSystemModal;
    }
    yes = boxes->Show(request) == platform::Answer::kYes;
  }
  variables.SetRuntimeValue(fields_.variable, yes ? fields_.yesValue : fields_.noValue);
  return true;
}

}  // namespace vendrel::commands
