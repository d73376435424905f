// A listener to runs: what a host shows as a trace. Nobody listening costs one null check.
#pragma once

#include <cstddef>
#include <string>

namespace vendrel::commands {
class Cmd;
}

namespace vendrel::actions {

class Action;
class ActionData;

// Marks that commands set on their action while it runs.
enum class ActionMark { kRefresh, kVeto };

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void RunStarted(const Action& action, const ActionData& run) = 0;
  // `ran` is false when the block check refused the run.
  virtual void RunEnded(const Action& action, const ActionData& run, bool ran) = 0;
  virtual void CommandStarted(const commands::Cmd& command, std::size_t index,
                              const ActionData& run) = 0;
  virtual void CommandEnded(const commands::Cmd& command, std::size_t index, bool result,
                            const ActionData& run) = 0;
  // A command's text and what it became; nested expansions are not reported.
  virtual void TextExpanded(const std::wstring& text, const std::wstring& expanded) = 0;
  // What the running command did that its texts do not show, such as "checked in C:\a.txt".
  virtual void CommandDid(const std::wstring& /*what*/) {}
  // The mark went from clear to set during the command at `index`.
  virtual void MarkSet(ActionMark mark, const Action& action, std::size_t index) = 0;
};

}  // namespace vendrel::actions
