// The variable editor command.
#include "commands/core/CmdSetVar.h"

#include "actions/Action.h"
#include "commands/core/CSetVariablesDlg.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/VariableKinds.h"
#include "host/Strings.h"

namespace vendrel::commands {

CmdSetVar::CmdSetVar(actions::Action* owner) : Cmd(kSetVarType) {
  SetUp(owner);
  for (const VariableKind& kind : VariableKinds()) typeTexts_[kind.type] = kind.Text();
}

bool CmdSetVar::Edit(platform::Window parent) {
  if (!Owner()) return false;
  CSetVariablesDlg dialog(typeTexts_, Owner()->variables, Vault(), Services());
  if (!ShowEditor(dialog, parent)) return false;
  SetSummary(strings::Load(64, L"Variables ..."));
  return true;
}

}  // namespace vendrel::commands
