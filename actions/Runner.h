// Runs one action against one run context.
#pragma once

#include "actions/Action.h"
#include "actions/ActionData.h"

namespace vendrel::actions {

// Checks that the all-documents blocks balance; on failure tells the user (message 157, owned by
// the context's window) and returns false.
bool BlockCheck(const Action& action, const ActionData& run);

// Makes `action` the context's current action, checks the blocks, prepares every command once,
// then executes from the first command while the next-command position is set. Commands may move
// that position; the runner puts no limit on the number of steps. False only when the block
// check refused the run.
bool Run(Action& action, ActionData& run);

}  // namespace vendrel::actions
