// Positions in an action's command list for the commands that move the run.
#pragma once

#include <cstddef>
#include <cstdint>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/Cmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

// The entry after `index`, none past the end.
inline actions::Position After(const actions::Action& action, std::size_t index) {
  return index + 1 < action.commands.size() ? actions::Position(index + 1) : actions::Position();
}

inline std::int32_t TypeAt(const actions::Action& action, std::size_t index) {
  const Cmd* command = action.commands[index].get();
  return command ? command->TypeId() : -1;
}

// Where `command` stands in the list of `action`; none when it is not there.
inline actions::Position IndexOf(const actions::Action& action, const Cmd* command) {
  for (std::size_t i = 0; i < action.commands.size(); ++i) {
    if (action.commands[i].get() == command) return i;
  }
  return {};
}

// The first label named `label` from `start` on, around the end of the list: where a jump goes.
inline actions::Position FindLabel(const actions::Action& action, std::size_t start,
                                   const std::wstring& label) {
  const std::size_t count = action.commands.size();
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t at = (start + step) % count;
    if (TypeAt(action, at) == kLabelType && action.commands[at]->Summary() == label) return at;
  }
  return {};
}

}  // namespace vendrel::commands
