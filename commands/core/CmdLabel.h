// CmdLabel: a named place in the command list that jumps go to.
#pragma once

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

// The name is the summary text; nothing else is stored.
class CmdLabel final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdLabel(actions::Action* owner);
  // Any name is taken, an empty one or one of another label too; a new non-empty name joins
  // the process's label list.
  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData&) override { return true; }
};

}  // namespace vendrel::commands
