// Each host call an action's run makes, failed in turn: the run must show what the command's
// failure rules say, go on with the next command and leave the vault consistent.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "actions/ActionStore.h"
#include "addin/CVornAddIn.h"
#include "commands/core/CmdFactory.h"
#include "commands/vault/HostErrors.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Utf8.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/System.h"
#include "sim/SimVault.h"
#include "tests/support/FakeServices.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/NotificationItems.h"

namespace vendrel {
namespace {

namespace fs = std::filesystem;
using host::HResult;
using host::MakeCode;

// What a failing host call is told with: a general failure, the system's refusals, and the
// vault's own codes.
const HResult kCodes[] = {host::kFail, MakeCode(0x80070005), MakeCode(0x80070020),
                          host::kLockedByAnotherUser, MakeCode(0x80040206)};

// How a command words the code after its message: the host's own description, the card variable
// command's report with the code's text and number in brackets, the parameter file generator's
// name and description of the code, or nothing.
enum class Wording { kHostText, kCardReport, kGenerated, kNone };

// The box a failure of one operation shows: its message before the code's description.
struct Step {
  const char* operation;
  const wchar_t* message;
  int occurrence = 0;  // only the nth call of the operation; 0: any
};

struct FaultCase {
  const char* name;
  const char* activation;  // JSON members of the action that say when it runs
  const char* commands;    // JSON of the commands under test
  std::vector<Step> steps = {};
  Wording wording = Wording::kHostText;
  std::int32_t commandId = 101;  // of a menu command: the action's, or the administration's
  std::int32_t kind = addin::kMenuCommand;
};

// A vault with Docs\a.txt checked in (card value Title "Alpha", workflow state Draft) and
// Docs\b.txt checked out by alice on PC1, bob in the group team, a template outside the vault,
// and the case's action stored as the vault's action set.
class World {
 public:
  explicit World(const FaultCase& c)
      : drives_(fs::temp_directory_path() /
                ("vendrel-faults-" + std::to_string(getpid()) + "-" + std::to_string(++made_))),
        disk_(platform::posix::DriveMap(drives_)),
        machine_(L"PC1", L"alice"),
        dialogs_(&boxes_, [](platform::ScriptedSurface& surface) {
          platform::ApplyAnswerLine(surface, L"ok");
        }) {
    setenv("VENDREL_DRIVES", drives_.c_str(), 1);
    Write("c/In/t.txt", "T %title%\n");
    Write("c/In/a.txt", "a");
    Write("c/In/b.txt", "b");
    sim::VaultSettings settings;
    settings.localFolder = drives_ / "c" / "Vault";
    vault_ = sim::SimVault::CreateInMemory(settings);
    vault_->AddUser(L"alice");
    vault_->AddUser(L"bob");
    vault_->AddGroup(L"team");
    vault_->AddMember(L"team", L"bob");
    vault_->AddWorkflow(L"Flow", {L"Draft", L"Done"});
    vault_->AddTransition(L"Flow", L"Draft", L"Done", L"Finish");
    vault_->SetDefaultWorkflow(L"Flow");
    vault_->AddVariable(L"Title", 1);
    EXPECT_EQ(vault_->Login(L"alice", L"PC1", session_), host::kOk);
    host::Ref<host::VaultFolder> root;
    EXPECT_EQ(session_->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
    EXPECT_EQ(root->AddFolder(0, L"Docs", 0, docs_), host::kOk);
    EXPECT_EQ(docs_->Id(docsId_), host::kOk);
    host::Ref<host::VaultFile> a;
    host::Ref<host::VaultFile> b;
    EXPECT_EQ(docs_->AddFile(0, L"C:\\In\\a.txt", L"a.txt", 1, a), host::kOk);
    EXPECT_EQ(docs_->AddFile(0, L"C:\\In\\b.txt", L"b.txt", 1, b), host::kOk);
    EXPECT_EQ(b->CheckOut(docsId_, 0, 0), host::kOk);
    EXPECT_EQ(a->Id(fileId_), host::kOk);
    vault_->SetCardValue(sim::CardOwner::kFile, fileId_, L"Title", L"", std::wstring(L"Alpha"));
    StoreAction(c);

    fakes_.services.files = &disk_;
    fakes_.services.machine = &machine_;
    fakes_.services.dialogs = &dialogs_;
    fakes_.services.messageBoxes = &boxes_;
  }
  ~World() {
    session_ = nullptr;
    docs_ = nullptr;
    vault_.reset();
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(drives_, ec))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(drives_, ec);
  }

  sim::Faults& Faults() { return vault_->GetStore().GetFaults(); }

  // The case's notification, handled by a new add-in object as a host's client would.
  void Notify(const FaultCase& c) {
    addin::CVornAddIn addIn(fakes_.services);
    host::HostNotification n;
    n.kind = c.kind;
    n.parentWindow = 77;
    n.folderId = docsId_;
    n.commandId = c.commandId;
    n.vault = session_;
    const std::wstring path = L"C:\\Vault\\Docs\\a.txt";
    if (c.kind == addin::kMenuCommand) {
      n.items = {{tools::MenuFileItem(fileId_, docsId_, path)}};
    } else if (c.kind >= addin::kBeforeAddByPath) {
      host::HostNotificationItem item;
      item.first = docsId_;
      item.secondText = path;
      n.items = {{item}};
    } else if (c.kind >= addin::kBeforeAdd) {
      n.items = {{tools::AddItem(docsId_, c.kind == addin::kAfterAdd ? fileId_ : 0, path)}};
    } else if (c.kind >= addin::kBeforeStateChange) {
      n.items = {
          {tools::StateChangeItem(fileId_, docsId_, path, vault_->StateId(L"Flow", L"Done"))}};
    } else {
      n.items = {{tools::CheckOutItem(fileId_, docsId_, path)}};
    }
    addIn.OnCommand(n);
  }

  // How many host calls came before the first command ran; 0 when none ran.
  std::uint64_t CallsBeforeTheRun() const {
    for (std::size_t i = 0; i < fakes_.messageBoxes.shown.size(); ++i) {
      if (fakes_.messageBoxes.shown[i].text == L"first") return callsAtBox_[i];
    }
    return 0;
  }

  std::vector<std::wstring> Shown() const {
    std::vector<std::wstring> texts;
    for (const auto& box : fakes_.messageBoxes.shown) texts.push_back(box.text);
    return texts;
  }
  const std::vector<platform::MessageBoxRequest>& Boxes() const {
    return fakes_.messageBoxes.shown;
  }

  // The vault's own rules, the action set still readable and its lock given back.
  void ExpectConsistent(const std::string& failed) {
    EXPECT_EQ(vault_->GetStore().Problems(), std::vector<std::string>{});
    host::Ref<host::AddInDictionary> dictionary;
    ASSERT_EQ(session_->GetDictionary(actions::kDictionaryName, false, dictionary), host::kOk);
    std::wstring text;
    bool exists = true;
    ASSERT_EQ(dictionary->Read(actions::kLockKey, text, exists), host::kOk);
    EXPECT_TRUE(!exists || failed == "SimDictionary::Remove")
        << "the lock of the stored actions was left behind";
    testing::FakeServices quiet;
    actions::ActionStore store(quiet.waitCursor, quiet.clock, quiet.messageBoxes,
                               commands::CreateCmd);
    ASSERT_TRUE(store.Load(*session_));
    EXPECT_EQ(store.Set().actions.size(), 1u);
  }

  // The text a failure of `code` adds after the command's message.
  std::wstring Describe(HResult code, Wording wording) {
    if (wording == Wording::kNone) return {};
    if (wording == Wording::kCardReport) {
      wchar_t hex[16];
      swprintf(hex, 16, L"%08X", static_cast<unsigned>(code));
      return L"\r\n[" + commands::DescribeHostCode(code, session_.Get(), &machine_) + L"]\r\n[0x" +
             hex + L"]";
    }
    std::wstring name;
    std::wstring description;
    const bool described = host::Succeeded(session_->ErrorText(code, name, description));
    if (wording == Wording::kGenerated)
      return described ? name + L"\n" + description : commands::ComErrorText(code, &machine_);
    return L"\n" + (described ? description : std::wstring());
  }

 private:
  void Write(const std::string& relative, const std::string& text) {
    fs::create_directories((drives_ / relative).parent_path());
    std::ofstream(drives_ / relative, std::ios::binary) << text;
  }
  void StoreAction(const FaultCase& c) {
    const std::string commands = *c.commands ? c.commands + std::string(", ") : "";
    const std::string json = R"({"format": "vault-set", "actions": [{"id": 101, "name": "Case",
        "menuText": "Case", "variables": [{"name": "title", "type": 108, "value": "Title"},
          {"name": "state", "type": 107}, {"name": "user", "type": 101}],
        "commands": [{"type": 3, "message": "first"}, )" +
                             commands + R"({"type": 3, "message": "next"}])" +
                             (*c.activation ? ", " : "") + c.activation + "}]}";
    const tools::Bytes bytes = tools::JsonToBytes(tools::Json::parse(json), tools::DefaultCodec());
    host::Ref<host::AddInDictionary> dictionary;
    ASSERT_EQ(session_->GetDictionary(actions::kDictionaryName, true, dictionary), host::kOk);
    ASSERT_EQ(dictionary->Write(actions::kActionSetKey, tools::BytesToHex(bytes)), host::kOk);
  }

  // Notes how many host calls came before each box.
  class CountingBoxes final : public platform::MessageBoxes {
   public:
    explicit CountingBoxes(World& world) : world_(world) {}
    platform::Answer Show(const platform::MessageBoxRequest& request) override {
      world_.callsAtBox_.push_back(world_.Faults().Count());
      return world_.fakes_.messageBoxes.Show(request);
    }

   private:
    World& world_;
  };

  static inline std::atomic<int> made_ = 0;
  fs::path drives_;
  platform::posix::PosixFileSystem disk_;
  platform::posix::PosixMachine machine_;
  testing::FakeServices fakes_;
  CountingBoxes boxes_{*this};
  std::vector<std::uint64_t> callsAtBox_;
  platform::ScriptedDialogRunner dialogs_;
  std::unique_ptr<sim::SimVault> vault_;
  host::Ref<host::VaultSession> session_;
  host::Ref<host::VaultFolder> docs_;
  std::int32_t docsId_ = 0;
  std::int32_t fileId_ = 0;
};

#define MENU R"("activation": ["menu"])"
#define GENERATE L"Error generating parameter file.\n\n "
#define CARD L"Action: Case\r\n"

const FaultCase kCases[] = {
    {"CopyIntoTheVault",
     MENU,
     R"({"type": 19, "from": "C:\\In\\t.txt", "to": "C:\\Vault\\Docs\\t.txt"})",
     {{"SimFolder::AddFile", L"Error copying file"}}},
    {"CopyOutOfTheVault", MENU,
     R"({"type": 19, "from": "C:\\Vault\\Docs\\a.txt", "to": "C:\\In\\copy.txt"})"},
    {"RenameInTheVault",
     MENU,
     R"({"type": 16, "from": "C:\\Vault\\Docs\\b.txt", "newName": "c.txt"})",
     {{"SimSession::GetFileFromPath", L"Error renaming file"},
      {"SimFile::Rename", L"Error renaming file"}}},
    {"DeleteFromTheVault", MENU,
     R"({"type": 11, "path": "C:\\Vault\\Docs\\a.txt", "fromVault": true})"},
    {"CreateAVaultFolder",
     MENU,
     R"({"type": 14, "path": "C:\\Vault\\Docs\\New"})",
     {{"SimFolder::AddFolder", L"Error creating folder"}}},
    {"MoveALocalFolder", MENU, R"({"type": 15, "from": "C:\\In", "to": "C:\\Out"})"},
    {"GenerateIntoACheckedInFile",
     MENU,
     R"({"type": 13, "output": "C:\\Vault\\Docs\\a.txt", "template": "C:\\In\\t.txt",
         "assignTo": "", "useCounter": 0, "append": 0})",
     {{"SimSession::GetFileFromPath",
       GENERATE L"Failed to access the file 'C:\\Vault\\Docs\\a.txt'.\n\n", 2},
      {"SimSession::UserDirectory", GENERATE L"Failed to get id of current user.\n\n"},
      {"SimUserDirectory::LoggedInUser", GENERATE L"Failed to get id of current user.\n\n"},
      {"SimUser::Id", GENERATE L"Failed to get id of current user.\n\n"},
      {"SimFile::CheckOutState",
       GENERATE L"Failed to check if the file 'C:\\Vault\\Docs\\a.txt' is checked out.\n\n"},
      {"SimFile::CheckOut", GENERATE L"Failed to check out the file 'C:\\Vault\\Docs\\a.txt'.\n\n"},
      {"SimFile::CheckIn", GENERATE L"Failed to check in the file 'C:\\Vault\\Docs\\a.txt'.\n\n"}},
     Wording::kGenerated},
    {"GenerateANewVaultFileFromAVaultTemplate",
     MENU,
     R"({"type": 13, "output": "C:\\Vault\\Docs\\new.txt", "template": "C:\\Vault\\Docs\\a.txt",
         "assignTo": "", "useCounter": 0, "append": 0})",
     {{"SimFile::GetLocalCopy",
       GENERATE L"Failed getting latest version of file 'C:\\Vault\\Docs\\a.txt'.\n\n"},
      {"SimFolder::AddFile",
       GENERATE L"Failed to add the file 'C:\\Vault\\Docs\\new.txt' to vault.\n\n"},
      {"SimFile::CheckIn",
       GENERATE L"Failed to check in the file 'C:\\Vault\\Docs\\new.txt'.\n\n"}},
     Wording::kGenerated},
    {"CheckOut",
     MENU,
     R"({"type": 17, "path": "C:\\Vault\\Docs\\a.txt"})",
     {{"SimSession::GetFileFromPath", L"Error checking out file"},
      {"SimFolder::Id", L"Error checking out file"},
      {"SimFile::CheckOut", L"Error checking out file"}}},
    {"CheckIn",
     MENU,
     R"({"type": 18, "path": "C:\\Vault\\Docs\\b.txt", "comment": "%title%"})",
     {{"SimSession::GetFileFromPath", L"Error checking in file"},
      {"SimFolder::Id", L"Error checking in file"},
      {"SimFile::CheckIn", L"Error checking in file"}}},
    {"Get",
     MENU,
     R"({"type": 23, "path": "C:\\Vault\\Docs\\a.txt", "alsoIfEarlier": true})",
     {{"SimSession::GetFileFromPath", L"Error getting file"},
      {"SimFolder::Id", L"Error getting file"},
      {"SimFile::GetLocalCopy", L"Error getting file"}}},
    {"SetAFileCardValue",
     MENU,
     R"({"type": 25, "item": 1, "filePath": "C:\\Vault\\Docs\\b.txt", "folderPath": "",
         "value": "x", "configurations": [],
         "variable": "Title", "variableType": 1})",
     {{"SimVariableManager::VariableByName", CARD L"Unexpected error."},
      {"SimBatchUpdate::AddFileValue",
       CARD L"Error setting variable 1 on file 3 across all configurations."},
      {"SimBatchUpdate::Commit", CARD L"Unexpected error."}},
     Wording::kCardReport},
    {"SetAFolderCardValue",
     MENU,
     R"({"type": 25, "item": 2, "filePath": "", "folderPath": "C:\\Vault\\Docs", "value": "x",
         "configurations": [],
         "variable": "Title", "variableType": 1})",
     {{"SimBatchUpdate::AddFolderValue", CARD L"Error setting folder variable - 2 1."}},
     Wording::kCardReport},
    {"SendAMessage", MENU,
     R"({"type": 24, "subject": "s", "message": "m", "users": ["bob"], "groups": ["team"]})"},
    {"Prompts", MENU,
     R"({"type": 3, "message": "%title% %state% %user%"},
        {"type": 1, "prompt": "%title%", "variable": "answer"},
        {"type": 6, "prompt": "%title%", "variable": "answer", "choices": ["%state%"]},
        {"type": 7, "prompt": "%title%", "variable": "answer", "yes": "y", "no": "n"})"},
    {"RegistryWaitAndShell", MENU,
     R"({"type": 9, "keyPath": "HKEY_CURRENT_USER\\Software\\Vendrel\\%title%",
         "value": "%state%", "kind": 0},
        {"type": 10, "path": "C:\\In\\%title%.gone", "condition": 1},
        {"type": 12, "verb": "open", "file": "C:\\In\\%user%.txt", "parameters": "%state%",
         "halt": 0, "mode": 0})"},
    {"Administration",
     MENU,
     "",
     {{"SimDictionary::Write", L"Error accessing database."}},
     Wording::kNone,
     actions::kAdminCommandId},
};

constexpr char kShowVariables[] = R"({"type": 3, "message": "%title% %state% %user%"})";

// An action hooked on each kind of notification, showing what its variables read.
std::vector<FaultCase> AllCases() {
  std::vector<FaultCase> all(std::begin(kCases), std::end(kCases));
  const struct {
    const char* name;
    std::int32_t kind;
    const char* activation;
  } hooks[] = {
      {"BeforeCheckOut", addin::kBeforeCheckOut,
       R"("activation": ["check-out"], "checkOut": {"path": "%.txt", "kind": "check-out", "after": false})"},
      {"AfterCheckOut", addin::kAfterCheckOut,
       R"("activation": ["check-out"], "checkOut": {"path": "%.txt", "kind": "check-out", "after": true})"},
      {"BeforeCheckIn", addin::kBeforeCheckIn,
       R"("activation": ["check-out"], "checkOut": {"path": "%.txt", "kind": "check-in", "after": false})"},
      {"AfterCheckIn", addin::kAfterCheckIn,
       R"("activation": ["check-out"], "checkOut": {"path": "%.txt", "kind": "check-in", "after": true})"},
      {"BeforeUndoCheckOut", addin::kBeforeUndoCheckOut,
       R"("activation": ["check-out"], "checkOut": {"path": "%.txt", "kind": "undo-check-out", "after": false})"},
      {"AfterUndoCheckOut", addin::kAfterUndoCheckOut,
       R"("activation": ["check-out"], "checkOut": {"path": "%.txt", "kind": "undo-check-out", "after": true})"},
      {"BeforeStateChange", addin::kBeforeStateChange,
       R"("activation": ["state-change"], "stateChange": {"path": "%.txt", "stateId": 2, "after": false})"},
      {"AfterStateChange", addin::kAfterStateChange,
       R"("activation": ["state-change"], "stateChange": {"path": "%.txt", "stateId": 2, "after": true})"},
      {"BeforeAdd", addin::kBeforeAdd,
       R"("activation": ["add"], "add": {"path": "%.txt", "after": false})"},
      {"AfterAdd", addin::kAfterAdd,
       R"("activation": ["add"], "add": {"path": "%.txt", "after": true})"},
      {"BeforeAddByPath", addin::kBeforeAddByPath,
       R"("activation": ["add"], "add": {"path": "%.txt", "after": false})"},
      {"AfterAddByPath", addin::kAfterAddByPath,
       R"("activation": ["add"], "add": {"path": "%.txt", "after": true})"},
  };
  for (const auto& hook : hooks)
    all.push_back({hook.name, hook.activation, kShowVariables, {}, Wording::kNone, 0, hook.kind});
  return all;
}

void PrintTo(const FaultCase& c, std::ostream* out) {
  *out << c.name;
}

class HostFaultTest : public ::testing::TestWithParam<FaultCase> {};

std::string Texts(const std::vector<std::wstring>& texts) {
  std::string all;
  for (const std::wstring& text : texts) all += "\n  [" + platform::ToUtf8(text) + "]";
  return all;
}

// Runs the case once to learn its host calls, then once for each call failing, then once for
// each operation failing at every call.
TEST_P(HostFaultTest, EveryHostCallFailedInTurn) {
  const FaultCase& c = GetParam();
  const bool runsAnAction = c.commandId != actions::kAdminCommandId;
  std::vector<std::string> calls;
  std::uint64_t beforeTheRun = 0;
  {
    World world(c);
    world.Faults().Reset();
    world.Faults().Record();
    world.Notify(c);
    calls = world.Faults().Calls();
    beforeTheRun = world.CallsBeforeTheRun();
    const std::vector<std::wstring> shown = world.Shown();
    if (runsAnAction) {
      ASSERT_TRUE(shown.size() >= 2 && shown.front() == L"first" && shown.back() == L"next")
          << "the run without failures showed" << Texts(shown);
    } else {
      EXPECT_TRUE(shown.empty()) << "the administration without failures showed" << Texts(shown);
    }
  }
  ASSERT_FALSE(calls.empty());

  std::set<std::string> operations(calls.begin(), calls.end());
  const std::size_t runs = calls.size() + operations.size();
  RecordProperty("calls", static_cast<int>(calls.size()));
  RecordProperty("operations", static_cast<int>(operations.size()));
  for (std::size_t r = 0; r < runs; ++r) {
    const bool oneCall = r < calls.size();
    const std::string failed =
        oneCall ? calls[r] : *std::next(operations.begin(), r - calls.size());
    const HResult code = kCodes[r % std::size(kCodes)];
    SCOPED_TRACE((oneCall ? "call " + std::to_string(r + 1) + " " : "every call of ") + failed +
                 " failing with " + std::to_string(code));
    World world(c);
    world.Faults().Reset();
    if (oneCall) {
      world.Faults().FailCall(r + 1, code);
    } else {
      world.Faults().FailOperation(failed, code);
    }
    world.Notify(c);
    world.Faults().Reset();

    const std::vector<std::wstring> shown = world.Shown();
    for (const auto& box : world.Boxes()) {
      EXPECT_EQ(box.caption, L"Vendrel");
      EXPECT_EQ(box.text.find(L"[]"), std::wstring::npos) << platform::ToUtf8(box.text);
    }
    // The action runs to its end, unless what failed came before it and stopped it whole.
    const bool ran = !shown.empty() && shown.front() == L"first";
    if (runsAnAction && (ran || (oneCall && r >= beforeTheRun))) {
      EXPECT_TRUE(ran && shown.back() == L"next") << "the run stopped early:" << Texts(shown);
    } else if (runsAnAction) {
      EXPECT_TRUE(shown.empty()) << "a run that never started showed" << Texts(shown);
    }
    const int occurrence =
        oneCall ? static_cast<int>(std::count(calls.begin(), calls.begin() + r + 1, failed)) : 1;
    for (const Step& step : c.steps) {
      if (failed != step.operation || (step.occurrence && step.occurrence != occurrence)) continue;
      const std::wstring expected = step.message + world.Describe(code, c.wording);
      EXPECT_NE(std::find(shown.begin(), shown.end(), expected), shown.end())
          << "expected [" << platform::ToUtf8(expected) << "] among" << Texts(shown);
    }
    world.ExpectConsistent(failed);
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, HostFaultTest, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendrel
