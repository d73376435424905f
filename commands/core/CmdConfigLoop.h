// The loop over the configurations of the current document: its start and its end command.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdAllConfigs final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdAllConfigs(actions::Action* owner);
  bool Edit(platform::Window parent) override;
  // Makes the next configuration the run's current one, or ends the loop past its matching
  // end; without an end the run ends and the result is false.
  bool Execute(actions::ActionData& run) override;

 private:
  std::vector<std::wstring> configurations_;  // empty between runs of the loop
  std::size_t next_ = 0;                      // the next one to take
  std::wstring savedConfiguration_;           // the run's before the loop began
};

class CmdEndAllConfigs final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdEndAllConfigs(actions::Action* owner);
  bool Edit(platform::Window parent) override;
  // Sends the run back to the matching start; false, letting the run go on, without one.
  bool Execute(actions::ActionData& run) override;
};

}  // namespace vendrel::commands
