// Edit box: the prompt in CRunEditBoxDlg; whatever closes it, its answer goes to the variable.
#include "commands/prompts/CmdEditBox.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/prompts/CEditBoxDlg.h"
#include "commands/prompts/CRunEditBoxDlg.h"

namespace vendrel::commands {

CmdEditBox::CmdEditBox(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdEditBox::Assign(Fields fields) {
  fields_ = std::move(fields);
  SetSummary(fields_.variable);
}

bool CmdEditBox::Edit(platform::Window parent) {
  CEditBoxDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Values());
  return true;
}

void CmdEditBox::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(fields_.prompt);
  archive.Text(fields_.variable);
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
