// Each command kind read from bytes written by hand from its stored layout: every field lands in
// its own member with the value the file gives, and storing again gives the very same bytes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "GoldenFiles.h"
#include "actions/ActionArchive.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CmdJump.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "commands/files/CmdMoveFolder.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "commands/system/CmdRegistry.h"
#include "commands/system/CmdShell.h"
#include "commands/system/CmdWait.h"
#include "commands/vault/CmdGenerateFile.h"
#include "commands/vault/CmdGetFile.h"
#include "commands/vault/CmdLockFile.h"
#include "commands/vault/CmdSendMsg.h"
#include "commands/vault/CmdSetCardVar.h"
#include "commands/vault/CmdUnlockFile.h"
#include "platform/Utf8.h"

namespace vendrel::commands {
namespace {

struct Golden {
  std::wstring hex;
  std::int32_t kind = -1;
  std::string summary;
};

// Hex digits before each "#"; after it, the lines "kind = " and "summary = ".
Golden Parse(const std::string& text) {
  Golden golden;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t hash = line.find('#');
    for (char c : line.substr(0, hash)) {
      if (c != ' ') golden.hex += static_cast<wchar_t>(c);
    }
    if (hash == std::string::npos) continue;
    const std::string note = line.substr(hash + 2);
    if (note.rfind("kind = ", 0) == 0) golden.kind = std::stoi(note.substr(7));
    if (note.rfind("summary = ", 0) == 0) golden.summary = note.substr(10);
  }
  return golden;
}

// Whether a command of `Kind` holds `fields`, member by member.
template <class Kind>
bool Holds(const Cmd& command, const typename Kind::Fields& fields) {
  const auto* kind = dynamic_cast<const Kind*>(&command);
  return kind && kind->Values() == fields;
}

// The values each golden file gives its kind's fields, in the kind's own members.
const std::map<std::int32_t, std::function<bool(const Cmd&)>> kExpected = {
    {kEditBoxType,
     [](const Cmd& c) {
       return Holds<CmdEditBox>(c, {.variable = L"Who", .prompt = L"Your name?"});
     }},
    {kOkMsgBoxType, [](const Cmd& c) { return Holds<CmdOkMsgBox>(c, {.message = L"Hi %Who%"}); }},
    {kComboBoxType,
     [](const Cmd& c) {
       return Holds<CmdComboBox>(
           c, {.variable = L"Pick", .prompt = L"Which one?", .choices = {L"A", L"B"}});
     }},
    {kYesNoBoxType,
     [](const Cmd& c) {
       return Holds<CmdYesNoBox>(
           c, {.variable = L"Go", .prompt = L"Go on?", .yesValue = L"Y", .noValue = L"N"});
     }},
    {kJumpType,
     [](const Cmd& c) {
       const auto* jump = dynamic_cast<const CmdJump*>(&c);
       return jump && jump->Condition() == JumpCondition{.variable = L"%a%",
                                                         .value = L"b",
                                                         .label = L"Top",
                                                         .op = JumpCondition::kNotEqual,
                                                         .ignoreCase = false};
     }},
    {kRegistryType,
     [](const Cmd& c) {
       return Holds<CmdRegistry>(
           c, {.keyPath = L"HKEY_CURRENT_USER\\K\\V", .value = L"7", .kind = CmdRegistry::kDword});
     }},
    {kWaitType,
     [](const Cmd& c) {
       return Holds<CmdWait>(c, {.path = L"C:\\w\\*.lck", .condition = kFileDeleted});
     }},
    {kDeleteFileType,
     [](const Cmd& c) {
       return Holds<CmdDeleteFile>(c, {.path = L"C:\\t.tmp", .fromVault = true});
     }},
    {kShellType,
     [](const Cmd& c) {
       return Holds<CmdShell>(c, {.verb = L"open",
                                  .file = L"cmd.exe",
                                  .parameters = L"/c dir",
                                  .halt = 1,
                                  .mode = CmdShell::kCommandLineMode});
     }},
    {kGenerateFileType,
     [](const Cmd& c) {
       return Holds<CmdGenerateFile>(c, {.outputFile = L"C:\\o.txt",
                                         .templateFile = L"C:\\t.tpl",
                                         .assignTo = L"Out",
                                         .useCounter = 1,
                                         .append = 1});
     }},
    {kCreateFolderType,
     [](const Cmd& c) { return Holds<CmdCreateFolder>(c, {.path = L"C:\\New"}); }},
    {kMoveFolderType,
     [](const Cmd& c) {
       return Holds<CmdMoveFolder>(c, {.oldPath = L"C:\\Old", .newPath = L"C:\\Moved"});
     }},
    {kMoveFileType,
     [](const Cmd& c) {
       return Holds<CmdMoveFile>(c, {.source = L"C:\\a.txt", .newName = L"b.txt"});
     }},
    {kLockFileType, [](const Cmd& c) { return Holds<CmdLockFile>(c, {.path = L"C:\\V\\a.txt"}); }},
    {kUnlockFileType,
     [](const Cmd& c) {
       return Holds<CmdUnlockFile>(c, {.path = L"C:\\V\\b.txt", .comment = L"done"});
     }},
    {kCopyFileType,
     [](const Cmd& c) {
       return Holds<CmdCopyFile>(c, {.source = L"C:\\c.txt", .destination = L"D:\\"});
     }},
    {kGetFileType,
     [](const Cmd& c) {
       return Holds<CmdGetFile>(c, {.path = L"C:\\V\\g.txt", .alsoIfEarlier = true});
     }},
    {kSendMsgType,
     [](const Cmd& c) {
       return Holds<CmdSendMsg>(
           c,
           {.users = {L"ann", L"bob"}, .groups = {L"ops"}, .subject = L"Subj", .message = L"Body"});
     }},
    {kSetCardVarType,
     [](const Cmd& c) {
       return Holds<CmdSetCardVar>(c, {.itemKind = CmdSetCardVar::kFolderWithPath,
                                       .filePath = L"C:\\f.txt",
                                       .folderPath = L"C:\\D",
                                       .configurations = {L"Default", L"Alt"},
                                       .value = L"%v%",
                                       .variableName = L"Title",
                                       .variableType = 5});
     }},
};

class GoldenTest : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(GoldenTest, EachFieldReadsAsWrittenAndStoresTheSameBytes) {
  const Golden golden = Parse(GetParam().second);
  actions::HexStringFile in;
  ASSERT_TRUE(in.FromText(golden.hex));
  actions::Archive load(in, actions::Archive::Mode::kLoad);
  actions::ActionList actions;
  ASSERT_TRUE(actions::ReadActionFile(load, actions, CreateCmd));
  ASSERT_EQ(actions.size(), 1u);
  ASSERT_EQ(actions[0]->commands.size(), 1u);
  Cmd& command = *actions[0]->commands[0];

  EXPECT_EQ(command.TypeId(), golden.kind);
  EXPECT_EQ(platform::ToUtf8(command.Summary()), golden.summary);
  const auto expected = kExpected.find(golden.kind);
  EXPECT_TRUE(expected == kExpected.end() || expected->second(command));

  actions::HexStringFile out;
  actions::Archive store(out, actions::Archive::Mode::kStore);
  const actions::Action* list[] = {actions[0].get()};
  actions::WriteActionFile(store, list);
  EXPECT_EQ(out.ToText(), golden.hex);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, GoldenTest, testing::ValuesIn(kGoldenFiles),
                         [](const auto& info) {
                           const std::string name = info.param.first;
                           return name.substr(0, name.find('.'));
                         });

TEST(GoldenFilesTest, CoverEveryListKind) {
  std::set<std::int32_t> kinds;
  for (const auto& [name, text] : kGoldenFiles) kinds.insert(Parse(text).kind);
  for (const CommandKind& kind : CommandKinds())
    EXPECT_TRUE(kinds.count(kind.typeId)) << kind.typeId;
}

}  // namespace
}  // namespace vendrel::commands
