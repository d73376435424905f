// OK message box: the expanded text in a plain box with one OK button.
#include "commands/prompts/CmdOkMsgBox.h"

#include <algorithm>

#include "commands/core/VarHandler.h"
#include "commands/prompts/COKMsgBoxDlg.h"

namespace vendrel::commands {

std::wstring CmdOkMsgBox::Summarize(const Fields& fields) const {
  // One blank per line-break character: a CR LF pair becomes two blanks.
  std::wstring summary = fields.message;
  std::replace(summary.begin(), summary.end(), L'\n', L' ');
  std::replace(summary.begin(), summary.end(), L'\r', L' ');
  return summary;
}

bool CmdOkMsgBox::Edit(platform::Window parent) {
  return EditWith(COKMsgBoxDlg(*this), parent);
}

bool CmdOkMsgBox::Execute(actions::ActionData& run) {
  const std::wstring text = VarHandler(run).Expand(fields_.message, false);
  if (platform::MessageBoxes* boxes = run.Service(&platform::Services::messageBoxes))
    boxes->Show({run.ownerWindow, text, L"Vendrel", platform::mb::kOk});
  return true;
}

}  // namespace vendrel::commands
