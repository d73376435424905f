// Edit box: the prompt in CRunEditBoxDlg; whatever closes it, its answer goes to the variable.
#include "commands/prompts/CmdEditBox.h"

#include "commands/core/VarHandler.h"
#include "commands/prompts/CEditBoxDlg.h"
#include "commands/prompts/CRunEditBoxDlg.h"

namespace vendrel::commands {

bool CmdEditBox::Edit(platform::Window parent) {
  return EditWith(CEditBoxDlg(*this), parent);
}

bool CmdEditBox::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  // The prompt shows in a static control, where a single ampersand would underline.
  CRunEditBoxDlg dialog(variables.Expand(fields_.prompt, true));
  // Without a dialog runner nobody can answer: the answer stays empty, as after Cancel.
  if (platform::DialogRunner* dialogs = run.Service(&platform::Services::dialogs))
    dialogs->Run(dialog, run.ownerWindow);
  variables.SetRuntimeValue(fields_.variable, dialog.Answer());
  return true;
}

}  // namespace vendrel::commands
