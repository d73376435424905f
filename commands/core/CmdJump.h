// CmdJump: goes to a label when its condition holds.
#pragma once

#include "commands/core/CJumpDlg.h"
#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdJump final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdJump(actions::Action* owner);

  // On OK takes the dialog's condition and describes it in the summary.
  bool Edit(platform::Window parent) override;
  void VisitFields(FieldVisitor& visitor) override;
  // True when the condition held and the label was found: the run goes on after the first label
  // of that name met after this jump, around the end of the list.
  bool Execute(actions::ActionData& run) override;

  const JumpCondition& Condition() const { return condition_; }

 private:
  std::wstring Describe() const;
  bool Holds(actions::ActionData& run) const;

  JumpCondition condition_;
};

}  // namespace vendrel::commands
