// The live trace of runs: each command announced with its position, kind and summary.
#include "tools/vendrel/Trace.h"

#include <gtest/gtest.h>

#include <sstream>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdDeleteFile.h"

namespace vendrel::tools {
namespace {

TEST(Trace, EachRunAnnouncesTheCommandsItMeetsAtEachPosition) {
  std::ostringstream live;
  Trace trace(&live);
  actions::Action action;
  action.name = L"Tidy";
  action.actionId = 7;
  actions::DocumentLists lists;
  actions::ActionData run(platform::Window{}, nullptr, lists);
  commands::CmdCopyFile copy(&action);
  copy.Assign(L"a", L"b");
  commands::CmdDeleteFile remove(&action);

  trace.RunStarted(action, run);
  trace.CommandStarted(copy, 0, run);
  trace.CommandEnded(copy, 0, true, run);
  trace.CommandStarted(copy, 0, run);
  trace.CommandEnded(copy, 0, true, run);
  // Another command at the same position, then the first one with a new summary.
  trace.CommandStarted(remove, 0, run);
  trace.CommandEnded(remove, 0, false, run);
  copy.Assign(L"a", L"c");
  trace.CommandStarted(copy, 0, run);
  trace.CommandStarted(copy, 1, run);

  EXPECT_EQ(live.str(),
            "    run \"Tidy\" (7) over 0 document(s)\n"
            "      1. Copy file: a => b\n"
            "      1. Copy file: a => b\n"
            "      1. Delete file\n"
            "        (reported a failure)\n"
            "      1. Copy file: a => c\n"
            "      2. Copy file: a => c\n");
}

}  // namespace
}  // namespace vendrel::tools
