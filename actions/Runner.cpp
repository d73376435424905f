// The action runner: block check, prepare pass, then execution along the next-command position.
#include "actions/Runner.h"

#include "actions/RunObserver.h"

#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "host/Strings.h"

namespace vendrel::actions {
namespace {

// Fills the "%d" fields of a localized message in order; translations keep the fields.
std::wstring FormatCounts(const std::wstring& format, int first, int second) {
  std::wstring text;
  const int values[] = {first, second};
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] == L'd' && next < 2) {
      text += std::to_wstring(values[next++]);
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

void ReportMismatch(const ActionData& run, int starts, int ends) {
  if (run.services == nullptr || run.services->messageBoxes == nullptr) return;
  const std::wstring format = strings::Load(
      157, L"Mismatch error.\n There are %d start blocks and %d end blocks in this action.");
  run.services->messageBoxes->Show({run.ownerWindow, FormatCounts(format, starts, ends), L"Vendrel",
                                    platform::mb::kOk | platform::mb::kIconExclamation});
}

}  // namespace

bool BlockCheck(const Action& action, const ActionData& run) {
  int starts = 0;
  int ends = 0;
  for (const auto& command : action.commands) {
    if (!command) continue;
    if (command->TypeId() == commands::kAllDocumentsType) ++starts;
    if (command->TypeId() == commands::kEndAllDocumentsType && ++ends > starts) break;
  }
  if (starts == ends) return true;
  ReportMismatch(run, starts, ends);
  return false;
}

namespace {

// Executes one command and tells the observer what it did.
void ExecuteObserved(commands::Cmd& command, std::size_t at, ActionData& run,
                     RunObserver& observer) {
  Action& action = *run.currentAction;
  const bool refresh = action.refreshMark;
  const bool veto = action.vetoMark;
  observer.CommandStarted(command, at, run);
  const bool result = command.Execute(run);
  if (!refresh && action.refreshMark) observer.MarkSet(ActionMark::kRefresh, action, at);
  if (!veto && action.vetoMark) observer.MarkSet(ActionMark::kVeto, action, at);
  observer.CommandEnded(command, at, result, run);
}

bool RunChecked(Action& action, ActionData& run) {
  if (!BlockCheck(action, run)) return false;
  for (const auto& command : action.commands) {
    if (command) command->PrepareRun();
  }
  const std::size_t count = action.commands.size();
  run.nextCommand = count > 0 ? Position(0) : Position();
  while (run.nextCommand && *run.nextCommand < count) {
    const std::size_t at = *run.nextCommand;
    run.nextCommand = at + 1 < count ? Position(at + 1) : Position();
    commands::Cmd* command = action.commands[at].get();
    if (command == nullptr) continue;
    if (run.observer) {
      ExecuteObserved(*command, at, run, *run.observer);
    } else {
      command->Execute(run);
    }
  }
  return true;
}

}  // namespace

bool Run(Action& action, ActionData& run) {
  run.currentAction = &action;
  if (run.observer == nullptr) return RunChecked(action, run);
  run.observer->RunStarted(action, run);
  const bool ran = RunChecked(action, run);
  run.observer->RunEnded(action, run, ran);
  return ran;
}

}  // namespace vendrel::actions
