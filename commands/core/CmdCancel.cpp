// The cancel command.
#include "commands/core/CmdCancel.h"

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/CmdFactory.h"

namespace vendrel::commands {
namespace {

constexpr wchar_t kTrue[] = L"TRUE";
constexpr wchar_t kFalse[] = L"FALSE";

}  // namespace

CmdCancel::CmdCancel(actions::Action* owner) : Cmd(kCancelType) {
  SetUp(owner);
}

bool CmdCancel::Edit(platform::Window) {
  SetSummary(Summary() != kTrue ? kTrue : kFalse);
  return true;
}

bool CmdCancel::Execute(actions::ActionData& run) {
  if (run.currentAction) run.currentAction->vetoMark = Summary() == kTrue;
  return true;
}

}  // namespace vendrel::commands
