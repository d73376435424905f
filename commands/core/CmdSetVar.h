// CmdSetVar: the editor of an action's variables, handled like a command by the editors.
#pragma once

#include <string>
#include <unordered_map>

#include "actions/Variable.h"
#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

// The descriptive text of each variable kind, as the variable editor lists them.
using TypeTextMap = std::unordered_map<actions::Variable::VariableType, std::wstring>;

// Never in a command list, never made by the factory, never stored.
class CmdSetVar final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdSetVar(actions::Action* owner);

  // Edits the owning action's variables in place; "Variables ..." and true on OK.
  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData&) override { return true; }

  const TypeTextMap& TypeTexts() const { return typeTexts_; }

 private:
  TypeTextMap typeTexts_;
};

}  // namespace vendrel::commands
