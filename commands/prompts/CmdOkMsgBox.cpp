// OK message box: the expanded text in a plain box with one OK button.
#include "commands/prompts/CmdOkMsgBox.h"

#include <algorithm>

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/prompts/COKMsgBoxDlg.h"

namespace vendrel::commands {

CmdOkMsgBox::CmdOkMsgBox(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdOkMsgBox::Assign(std::wstring message) {
  message_ = std::move(message);
  // One blank per line-break character: a CR LF pair becomes two blanks.
  std::wstring summary = message_;
  std::replace(summary.begin(), summary.end(), L'\n', L' ');
  std::replace(summary.begin(), summary.end(), L'\r', L' ');
  SetSummary(std::move(summary));
}

bool CmdOkMsgBox::Edit(platform::Window parent) {
  COKMsgBoxDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Message());
  return true;
}

void CmdOkMsgBox::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(message_);
}

bool CmdOkMsgBox::Execute(actions::ActionData& run) {
  const std::wstring text = VarHandler(run).Expand(message_, false);
  if (platform::MessageBoxes* boxes = run.Service(&platform::Services::messageBoxes))
    boxes->Show({run.ownerWindow, text, L"Vendrel", platform::mb::kOk});
  return true;
}

}  // namespace vendrel::commands
