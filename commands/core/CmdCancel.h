// The command that refuses the host operation which started the action.
#pragma once

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

// Its setting is its summary, "TRUE" or "FALSE"; a new one has none and refuses nothing.
class CmdCancel final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdCancel(actions::Action* owner);
  // Toggles the setting; there is no dialog.
  bool Edit(platform::Window parent) override;
  // Sets the running action's veto mark to the setting.
  bool Execute(actions::ActionData& run) override;
};

}  // namespace vendrel::commands
