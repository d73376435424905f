// The shell command: the request each verb makes, the wait for a started program, and the
// stored form across layout versions.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/system/CmdShell.h"
#include "platform/Utf8.h"
#include "platform/posix/Shell.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

namespace fs = std::filesystem;
namespace see = platform::see;

// Keeps every request; starts nothing.
class RecordingShell : public platform::Shell {
 public:
  platform::ShellResult Execute(const platform::ShellRequest& request) override {
    requests.push_back(request);
    return {succeed, nullptr};
  }
  std::wstring SystemFolder() override { return L"C:\\Windows\\system32"; }
  std::wstring RemoveFileSpec(const std::wstring& path) override {
    return platform::posix::PosixShell(platform::posix::DriveMap("/")).RemoveFileSpec(path);
  }
  std::vector<platform::ShellRequest> requests;
  bool succeed = true;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    fakes.services.shell = &shell;
    run.currentAction = &action;
  }

  bool Run(CmdShell::Fields fields) {
    CmdShell command(&action);
    command.Assign(std::move(fields));
    return command.Execute(run);
  }
  const platform::ShellRequest& Last() const { return shell.requests.back(); }

  RecordingShell shell;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{0x55, vault, lists, &fakes.services};
  actions::Action action;
};

TEST_F(ShellTest, PlainVerbsNeedNoMaskOthersGoThroughTheContextMenu) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"doc", actions::Variable::kStaticText, L"a.pdf"));
  EXPECT_TRUE(Run({L"  ", L"C:\\Docs\\%doc%", L"-x", 0, CmdShell::kShellMode}));
  EXPECT_EQ(Last().verb, L"open") << "blanks make the default verb";
  EXPECT_EQ(Last().file, L"C:\\Docs\\a.pdf");
  EXPECT_EQ(Last().parameters, L"-x");
  EXPECT_EQ(Last().mask, 0u);
  EXPECT_EQ(Last().show, platform::kShowNormal);

  Run({L" PRINT ", L"C:\\a.pdf", L"", 1, CmdShell::kShellMode});
  EXPECT_EQ(Last().verb, L"PRINT");
  EXPECT_EQ(Last().mask, see::kNoCloseProcess);

  Run({L"properties", L"C:\\a.pdf", L"", 0, CmdShell::kShellMode});
  EXPECT_EQ(Last().mask, see::kInvokeIdList | see::kClassName);
  EXPECT_EQ(Last().mask, 0x0Du);
}

TEST_F(ShellTest, ExploreOpensTheFolderOfTheFileAndNeverWaits) {
  EXPECT_TRUE(Run({L"Explore", L"C:\\Work\\Parts\\bolt.txt", L"", 1, CmdShell::kShellMode}));
  EXPECT_EQ(Last().file, L"C:\\Work\\Parts");
  EXPECT_EQ(Last().className, L"Folder");
  EXPECT_EQ(Last().mask, see::kClassName);
}

TEST_F(ShellTest, AFailureOfTheShellIsReturnedWithoutAMessage) {
  shell.succeed = false;
  EXPECT_FALSE(Run({L"open", L"C:\\missing.txt", L"", 0, CmdShell::kShellMode}));
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
}

// A real process: the command processor's line runs through /bin/sh.
TEST(PosixShellTest, TheHaltFlagWaitsForTheProgramThatCreatesAFile) {
  const fs::path folder = fs::temp_directory_path() / ("vendrel-shell-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "c" / "Docs");
  std::vector<std::wstring> notes;
  platform::posix::PosixShell shell(platform::posix::DriveMap(folder),
                                    [&](const std::wstring& note) { notes.push_back(note); });
  testing::FakeServices fakes;
  fakes.services.shell = &shell;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  actions::DocumentLists lists;
  actions::ActionData run{0, vault, lists, &fakes.services};
  actions::Action action;
  run.currentAction = &action;

  const fs::path made = folder / "made.txt";
  CmdShell command(&action);
  command.Assign({L"Open", L"C:\\Windows\\system32\\Cmd.exe",
                  L"/c sleep 0.3; echo done > '" + platform::FromUtf8(made.string()) + L"'", 1,
                  CmdShell::kCommandLineMode});
  EXPECT_TRUE(command.Execute(run));
  EXPECT_TRUE(fs::exists(made)) << "the command returns once the program has ended";
  EXPECT_TRUE(notes.empty());

  // Any other request is only reported, and only for a file that is there.
  std::ofstream(folder / "c" / "Docs" / "a.pdf") << "%PDF";
  command.Assign({L"print", L"C:\\docs\\A.PDF", L"", 0, CmdShell::kShellMode});
  EXPECT_TRUE(command.Execute(run));
  command.Assign({L"open", L"C:\\Docs\\missing.pdf", L"", 0, CmdShell::kShellMode});
  EXPECT_FALSE(command.Execute(run));
  command.Assign({L"explore", L"C:\\Docs\\a.pdf", L"", 0, CmdShell::kShellMode});
  EXPECT_TRUE(command.Execute(run));
  EXPECT_EQ(notes,
            (std::vector<std::wstring>{L"shell print C:\\docs\\A.PDF", L"shell explore C:\\Docs"}));
  fs::remove_all(folder);
}

// The payload of a shell command without its mode, then a marker.
actions::HexStringFile OldLayout() {
  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  for (std::wstring text : {L"summary", L"open", L"C:\\a.txt", L""}) out.Text(text);
  out.WriteInt32(1);       // halt
  out.WriteInt32(0x1234);  // what follows the command
  file.Seek(0, actions::File::Origin::kBegin);
  return file;
}

TEST(ShellStoredFormTest, LayoutsUpToFiveHaveNoModeAndLoadInShellMode) {
  actions::HexStringFile old = OldLayout();
  actions::Archive in(old, actions::Archive::Mode::kLoad, 5);
  CmdShell loaded(nullptr);
  loaded.Serialize(in);
  EXPECT_EQ(loaded.FormatVersion(), 5);
  EXPECT_EQ(loaded.Values(),
            (CmdShell::Fields{L"open", L"C:\\a.txt", L"", 1, CmdShell::kShellMode}));
  EXPECT_EQ(in.ReadInt32(), 0x1234) << "the mode was not read";

  actions::HexStringFile same = OldLayout();
  actions::Archive newer(same, actions::Archive::Mode::kLoad, 6);
  CmdShell withMode(nullptr);
  withMode.Serialize(newer);
  EXPECT_EQ(withMode.FormatVersion(), actions::kArchiveVersion);
  EXPECT_EQ(withMode.Values().mode, 0x1234);
}

}  // namespace
}  // namespace vendrel::commands
