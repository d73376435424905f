// The file and prompt kinds written into an action and read back through the factory.
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/ActionArchive.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
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

template <class Kind>
Kind& Add(actions::Action& action) {
  auto command = std::make_unique<Kind>(&action);
  Kind& added = *command;
  action.commands.push_back(std::move(command));
  return added;
}

std::unique_ptr<actions::Action> RoundTrip(const actions::Action& original) {
  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  actions::WriteAction(out, original);
  file.Seek(0, actions::File::Origin::kBegin);
  actions::Archive in(file, actions::Archive::Mode::kLoad);
  auto loaded = std::make_unique<actions::Action>();
  actions::ReadAction(in, *loaded, actions::kArchiveVersion, &CreateCmd);
  return loaded;
}

template <class Kind>
const Kind& At(const actions::Action& action, std::size_t index) {
  const auto* command = dynamic_cast<const Kind*>(action.commands.at(index).get());
  if (command == nullptr) throw std::runtime_error("wrong kind at " + std::to_string(index));
  return *command;
}

TEST(StoredFormTest, EveryFileAndPromptKindComesBackWithItsFieldsAndSummary) {
  actions::Action action;
  Add<CmdCopyFile>(action).Assign({L"%PathToSelectedFile%", L"C:\\Backup\\"});
  Add<CmdMoveFile>(action).Assign({L"C:\\a\\x.txt", L"y.txt"});
  Add<CmdDeleteFile>(action).Assign({L"C:\\t.tmp", true});
  Add<CmdCreateFolder>(action).Assign({L"C:\\Vault\\%p%"});
  Add<CmdMoveFolder>(action).Assign({L"C:\\old", L"C:\\new"});
  Add<CmdOkMsgBox>(action).Assign({L"line 1\r\nline 2"});
  Add<CmdYesNoBox>(action).Assign({L"Answer", L"Go on?", L"1", L"0"});
  Add<CmdEditBox>(action).Assign({L"Name", L"Your name:"});
  Add<CmdComboBox>(action).Assign({L"Pick", L"Choose", {L"A", L" b "}});

  const auto loaded = RoundTrip(action);
  ASSERT_EQ(loaded->commands.size(), action.commands.size());
  for (std::size_t i = 0; i < action.commands.size(); ++i) {
    EXPECT_EQ(loaded->commands[i]->TypeId(), action.commands[i]->TypeId()) << i;
    EXPECT_EQ(loaded->commands[i]->Summary(), action.commands[i]->Summary()) << i;
    EXPECT_EQ(loaded->commands[i]->GetName(), action.commands[i]->GetName()) << i;
    EXPECT_EQ(loaded->commands[i]->Owner(), loaded.get()) << i;
  }
  EXPECT_EQ(At<CmdCopyFile>(*loaded, 0).Values().source, L"%PathToSelectedFile%");
  EXPECT_EQ(At<CmdCopyFile>(*loaded, 0).Values().destination, L"C:\\Backup\\");
  EXPECT_EQ(At<CmdMoveFile>(*loaded, 1).Values().source, L"C:\\a\\x.txt");
  EXPECT_EQ(At<CmdMoveFile>(*loaded, 1).Values().newName, L"y.txt");
  EXPECT_EQ(At<CmdDeleteFile>(*loaded, 2).Values().path, L"C:\\t.tmp");
  EXPECT_TRUE(At<CmdDeleteFile>(*loaded, 2).Values().fromVault);
  EXPECT_EQ(At<CmdCreateFolder>(*loaded, 3).Values().path, L"C:\\Vault\\%p%");
  EXPECT_EQ(At<CmdMoveFolder>(*loaded, 4).Values().oldPath, L"C:\\old");
  EXPECT_EQ(At<CmdMoveFolder>(*loaded, 4).Values().newPath, L"C:\\new");
  EXPECT_EQ(At<CmdOkMsgBox>(*loaded, 5).Values().message, L"line 1\r\nline 2");
  EXPECT_EQ(At<CmdYesNoBox>(*loaded, 6).Values(),
            (CmdYesNoBox::Fields{L"Answer", L"Go on?", L"1", L"0"}));
  EXPECT_EQ(At<CmdEditBox>(*loaded, 7).Values(), (CmdEditBox::Fields{L"Name", L"Your name:"}));
  EXPECT_EQ(At<CmdComboBox>(*loaded, 8).Values(),
            (CmdComboBox::Fields{L"Pick", L"Choose", {L"A", L" b "}}));
}

// The payloads in the order the stored form fixes: the prompts store the prompt before the
// variable, the yes/no box its two answers last.
std::wstring Stored(Cmd& command) {
  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  command.Serialize(out);
  return file.ToText();
}

template <class Write>
std::wstring Expected(Write write) {
  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  write(out);
  return file.ToText();
}

TEST(StoredFormTest, PayloadsAreWrittenInTheirFixedOrder) {
  CmdYesNoBox yesNo(nullptr);
  yesNo.Assign({L"v", L"p", L"1", L"0"});
  EXPECT_EQ(Stored(yesNo), Expected([](actions::Archive& a) {
              a.WriteInt32(7);
              for (const wchar_t* text : {L"v = 1 || 0", L"p", L"v", L"1", L"0"}) a.WriteText(text);
            }));

  CmdComboBox combo(nullptr);
  combo.Assign({L"v", L"p", {L"a", L"b"}});
  EXPECT_EQ(Stored(combo), Expected([](actions::Archive& a) {
              a.WriteInt32(6);
              for (const wchar_t* text : {L"v = a | b | ", L"p", L"v"}) a.WriteText(text);
              a.WriteInt32(2);
              a.WriteText(L"a");
              a.WriteText(L"b");
            }));

  CmdEditBox edit(nullptr);
  edit.Assign({L"v", L"p"});
  EXPECT_EQ(Stored(edit), Expected([](actions::Archive& a) {
              a.WriteInt32(1);
              for (const wchar_t* text : {L"v", L"p", L"v"}) a.WriteText(text);
            }));

  CmdDeleteFile deletion(nullptr);
  deletion.Assign({L"x", true});
  EXPECT_EQ(Stored(deletion), Expected([](actions::Archive& a) {
              a.WriteInt32(11);
              a.WriteText(L"DELETE x FROM_VAULT");
              a.WriteText(L"x");
              a.WriteInt32(1);
            }));
}

// Texts are FF FE FF, a length byte and UTF-16LE units: "a => b" is six units.
TEST(StoredFormTest, FileAndFolderKindsKeepTheirStoredBytes) {
  CmdCopyFile copy(nullptr);
  copy.Assign({L"a", L"b"});
  EXPECT_EQ(Stored(copy),
            L"13000000"
            L"FFFEFF06610020003D003E0020006200"
            L"FFFEFF016100"
            L"FFFEFF016200");

  CmdMoveFile move(nullptr);
  move.Assign({L"a", L"b"});
  EXPECT_EQ(Stored(move),
            L"10000000"
            L"FFFEFF06610020002D003E0020006200"
            L"FFFEFF016100"
            L"FFFEFF016200");

  CmdMoveFolder moveFolder(nullptr);
  moveFolder.Assign({L"a", L"b"});
  EXPECT_EQ(Stored(moveFolder),
            L"0F000000"
            L"FFFEFF06610020002D003E0020006200"
            L"FFFEFF016100"
            L"FFFEFF016200");

  CmdCreateFolder create(nullptr);
  create.Assign({L"C:\\x"});
  EXPECT_EQ(Stored(create),
            L"0E000000"
            L"FFFEFF0443003A005C007800"
            L"FFFEFF0443003A005C007800");
}

TEST(StoredFormTest, ADeleteFlagStoredAsAnythingButOneLoadsAsFalse) {
  for (const std::int32_t stored : {1, 2, -1, 0}) {
    actions::HexStringFile file;
    actions::Archive out(file, actions::Archive::Mode::kStore);
    out.WriteText(L"DELETE x FROM_VAULT");
    out.WriteText(L"x");
    out.WriteInt32(stored);
    file.Seek(0, actions::File::Origin::kBegin);
    actions::Archive in(file, actions::Archive::Mode::kLoad);
    CmdDeleteFile loaded(nullptr);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.Values().fromVault, stored == 1) << stored;
    EXPECT_EQ(loaded.Summary(), L"DELETE x FROM_VAULT") << "the summary is kept as stored";
  }
}

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
