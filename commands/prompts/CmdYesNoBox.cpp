// Yes/no message box: the answers are stored as written, without expansion.
#include "commands/prompts/CmdYesNoBox.h"

#include "commands/core/VarHandler.h"
#include "commands/prompts/CYesNoBoxDlg.h"

namespace vendrel::commands {

std::wstring CmdYesNoBox::Summarize(const Fields& fields) const {
  return fields.variable + L" = " + fields.yesValue + L" || " + fields.noValue;
}

bool CmdYesNoBox::Edit(platform::Window parent) {
  return EditWith(CYesNoBoxDlg(*this), parent);
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
