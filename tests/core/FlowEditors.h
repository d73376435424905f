// Labels and jumps made as the administrator makes them: in their editors, answered by script.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "commands/core/CJumpDlg.h"
#include "commands/core/CJumpDlgRes.h"
#include "commands/core/CLabelDlgRes.h"
#include "commands/core/CmdJump.h"
#include "commands/core/CmdLabel.h"
#include "platform/ScriptedDialogs.h"

namespace vendrel::testing {

// The command's services must show dialogs through `dialogs`.
inline void EditLabel(commands::CmdLabel& label, platform::ScriptedDialogRunner& dialogs,
                      const std::wstring& name) {
  dialogs.Queue([name](platform::ScriptedSurface& ui) {
    ui.Type(IDC_LABEL_NAME, name);
    ui.Ok();
  });
  EXPECT_TRUE(label.Edit(0));
}

inline void EditJump(commands::CmdJump& jump, platform::ScriptedDialogRunner& dialogs,
                     const commands::JumpCondition& condition) {
  dialogs.Queue([condition](platform::ScriptedSurface& ui) {
    ui.Type(IDC_JUMP_VARIABLE, condition.variable);
    ui.Type(IDC_JUMP_VALUE, condition.value);
    ui.Check(IDC_JUMP_ALWAYS + condition.op, true);
    ui.Check(IDC_JUMP_MATCH_CASE, !condition.ignoreCase);
    ui.Type(IDC_JUMP_LABEL, condition.label);
    ui.Ok();
  });
  EXPECT_TRUE(jump.Edit(0));
}

}  // namespace vendrel::testing
