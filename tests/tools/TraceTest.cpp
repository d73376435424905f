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
  copy.Assign({L"a", L"b"});
  commands::CmdDeleteFile remove(&action);

  trace.RunStarted(action, run);
  trace.CommandStarted(copy, 0, run);
  trace.CommandEnded(copy, 0, true, run);
  trace.CommandStarted(copy, 0, run);
  trace.CommandEnded(copy, 0, true, run);
  // Another command at the same position, then the first one with a new summary.
  trace.CommandStarted(remove, 0, run);
  trace.CommandEnded(remove, 0, false, run);
  copy.Assign({L"a", L"c"});
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

TEST(Trace, DocumentsPastTheTenthShowOnlyWhatNeedsAttentionUnlessAllAreAsked) {
  for (const bool all : {false, true}) {
    std::ostringstream live;
    Trace trace(&live);
    trace.ListAllDocuments(all);
    actions::Action action;
    action.name = L"Tidy";
    actions::DocumentLists lists;
    for (int i = 1; i <= 12; ++i) {
      lists.names.push_back(L"d" + std::to_wstring(i));
      lists.ids.push_back(i);
      lists.folderIds.push_back(1);
    }
    actions::ActionData run(platform::Window{}, nullptr, lists);
    commands::CmdCopyFile copy(&action);
    copy.Assign({L"a", L"b"});

    trace.RunStarted(action, run);
    for (std::size_t document = 9; document < 12; ++document) {
      run.SetCurrentDocument(document);
      trace.CommandStarted(copy, 0, run);
      trace.TextExpanded(L"%x%", L"d" + std::to_wstring(document + 1));
      trace.CommandDid(L"copied");
      trace.CommandEnded(copy, 0, document != 11, run);
    }
    trace.RunEnded(action, run, true);

    const std::string out = live.str();
    const std::string tenth = "      1. Copy file: a => b\n        %x% = d10\n        copied\n";
    EXPECT_NE(out.find(tenth), std::string::npos) << out;
    EXPECT_EQ(out.find("d11\n") == std::string::npos, !all) << out;
    // The failing twelfth keeps its heading either way.
    const std::string failed =
        all ? "      1. Copy file: a => b\n        %x% = d12\n        copied\n"
              "        (reported a failure)\n"
            : "      1. Copy file: a => b\n        (reported a failure)\n"
              "      documents 11 to 12: only failures, boxes and dialogs "
              "(--full traces all)\n";
    EXPECT_NE(out.find(failed), std::string::npos) << out;
  }
}

}  // namespace
}  // namespace vendrel::tools
