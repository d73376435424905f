// The label command.
#include "commands/core/CmdLabel.h"

#include "commands/core/CLabelDlg.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/LabelList.h"

namespace vendrel::commands {

CmdLabel::CmdLabel(actions::Action* owner) : Cmd(kLabelType) {
  SetUp(owner);
}

bool CmdLabel::Edit(platform::Window parent) {
  CLabelDlg dialog(Summary());
  if (!ShowEditor(dialog, parent)) return false;
  SetSummary(dialog.Name());
  LabelList* labels = Labels();
  if (labels && !dialog.Name().empty() && !labels->Contains(dialog.Name()))
    labels->Add(dialog.Name());
  return true;
}

}  // namespace vendrel::commands
