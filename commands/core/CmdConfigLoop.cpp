// The configuration loop. Unlike the document loop it never wraps around the list, and the
// runner's block check does not cover it: a missing partner ends or continues the run instead.
#include "commands/core/CmdConfigLoop.h"

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CommandList.h"
#include "commands/core/VarHandler.h"
#include "host/Status.h"
#include "host/Strings.h"

namespace vendrel::commands {

CmdAllConfigs::CmdAllConfigs(actions::Action* owner) : Cmd(kAllConfigsType) {
  SetUp(owner);
}

bool CmdAllConfigs::Edit(platform::Window) {
  SetSummary(strings::Load(178, L"Block START"));
  return true;
}

bool CmdAllConfigs::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  if (configurations_.empty()) {
    savedConfiguration_ = run.currentConfiguration;
    if (const auto file = variables.FileById(variables.CurrentDocumentId())) {
      std::vector<std::wstring> names;
      if (file->Configurations(names) == host::kOk) configurations_ = std::move(names);
    }
    next_ = 0;
  }
  if (next_ < configurations_.size()) {
    run.currentConfiguration = configurations_[next_++];
    return true;
  }

  configurations_.clear();
  next_ = 0;
  run.currentConfiguration = savedConfiguration_;
  const actions::Action& action = *run.currentAction;
  int depth = 0;
  for (std::size_t at = run.nextCommand.value_or(action.commands.size());
       at < action.commands.size(); ++at) {
    const std::int32_t type = TypeAt(action, at);
    if (type == kAllConfigsType) {
      ++depth;
    } else if (type == kEndAllConfigsType) {
      if (depth < 1) {
        run.nextCommand = After(action, at);
        return true;
      }
      --depth;
    }
  }
  run.nextCommand.reset();
  return false;
}

CmdEndAllConfigs::CmdEndAllConfigs(actions::Action* owner) : Cmd(kEndAllConfigsType) {
  SetUp(owner);
}

bool CmdEndAllConfigs::Edit(platform::Window) {
  SetSummary(strings::Load(30, L"Block END"));
  return true;
}

bool CmdEndAllConfigs::Execute(actions::ActionData& run) {
  const actions::Action& action = *run.currentAction;
  const actions::Position self = IndexOf(action, this);
  int depth = 0;
  for (std::size_t at = self.value_or(0); at-- > 0;) {
    const std::int32_t type = TypeAt(action, at);
    if (type == kEndAllConfigsType) {
      ++depth;
    } else if (type == kAllConfigsType) {
      if (depth < 1) {
        run.nextCommand = at;
        return true;
      }
      --depth;
    }
  }
  return false;
}

}  // namespace vendrel::commands
