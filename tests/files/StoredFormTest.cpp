// The file and prompt kinds: new commands and the summaries their fields make.
#include <gtest/gtest.h>

#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "commands/files/CmdMoveFolder.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"

namespace vendrel::commands {
namespace {

TEST(StoredFormTest, NewCommandsStartEmptyAndTheDeleteSummaryNamesTheVault) {
  CmdDeleteFile deletion(nullptr);
  EXPECT_EQ(deletion.Summary(), L"");
  EXPECT_FALSE(deletion.Values().fromVault);
  EXPECT_EQ(deletion.GetDescription(), L"Deletes a file");
  deletion.Assign({L"%f%", true});
  EXPECT_EQ(deletion.Summary(), L"DELETE %f% FROM_VAULT");
  deletion.Assign({L"%f%", false});
  EXPECT_EQ(deletion.Summary(), L"DELETE %f%");

  CmdCopyFile copy(nullptr);
  copy.Assign({L"a", L"b"});
  EXPECT_EQ(copy.Summary(), L"a => b");
  EXPECT_EQ(copy.GetDescription(), L"");
  CmdMoveFile move(nullptr);
  move.Assign({L"a", L"b"});
  EXPECT_EQ(move.Summary(), L"a -> b");
  CmdMoveFolder moveFolder(nullptr);
  moveFolder.Assign({L"a", L"b"});
  EXPECT_EQ(moveFolder.Summary(), L"a -> b");
  CmdCreateFolder create(nullptr);
  create.Assign({L"C:\\x"});
  EXPECT_EQ(create.Summary(), L"C:\\x");
}

TEST(StoredFormTest, PromptSummaries) {
  CmdOkMsgBox message(nullptr);
  message.Assign({L"a\r\nb\nc"});
  EXPECT_EQ(message.Summary(), L"a  b c");
  CmdYesNoBox yesNo(nullptr);
  yesNo.Assign({L"Answer", L"?", L"1", L"0"});
  EXPECT_EQ(yesNo.Summary(), L"Answer = 1 || 0");
  CmdEditBox edit(nullptr);
  edit.Assign({L"Name", L"prompt"});
  EXPECT_EQ(edit.Summary(), L"Name");
  CmdComboBox combo(nullptr);
  combo.Assign({L"Pick", L"", {L"A", L"B"}});
  EXPECT_EQ(combo.Summary(), L"Pick = A | B | ");
  combo.Assign({L"Pick", L"", {}});
  EXPECT_EQ(combo.Summary(), L"Pick = ");
}

}  // namespace
}  // namespace vendrel::commands
