// The wait command: passes of test, messages and sleep until a file or a registry value is
// there, or gone, or the user cancels.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/system/CRunWaitDlgRes.h"
#include "commands/system/CmdWait.h"
#include "platform/ScriptedDialogs.h"
#include "platform/posix/FileSystem.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::commands {
namespace {

namespace fs = std::filesystem;
using platform::ScriptedSurface;

// Counts the passes by their sleeps and lets a test change the world after each one.
class PassClock : public testing::FixedClock {
 public:
  void Sleep(std::uint32_t milliseconds) override {
    FixedClock::Sleep(milliseconds);
    ++passes;
    if (afterPass) afterPass(passes);
  }
  int passes = 0;
  std::function<void(int)> afterPass;
};

class WaitTest : public ::testing::Test {
 protected:
  WaitTest() : files(platform::posix::DriveMap(root)) {
    fs::remove_all(root);
    fs::create_directories(root / "c" / "Drop");
    fakes.services.clock = &clock;
    fakes.services.files = &files;
    fakes.services.dialogs = &dialogs;
    run.currentAction = &action;
  }
  ~WaitTest() override { fs::remove_all(root); }

  bool Wait(const std::wstring& path, std::int32_t condition) {
    CmdWait command(&action);
    command.Assign({path, condition});
    return command.Execute(run);
  }
  void Touch(const char* name) { std::ofstream(root / "c" / "Drop" / name) << "x"; }

  fs::path root = fs::temp_directory_path() / ("vendrel-wait-" + std::to_string(::getpid()));
  platform::posix::PosixFileSystem files;
  PassClock clock;
  testing::StrictDialogRunner dialogs;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{0x55, vault, lists, &fakes.services};
  actions::Action action;
};

TEST_F(WaitTest, AWildcardPathWaitsUntilAMatchingFileAppearsThenUntilItIsGone) {
  std::vector<std::wstring> shown;
  dialogs.Queue([&](ScriptedSurface& ui) {
    if (shown.empty()) shown.push_back(ui.Text(IDC_RUN_WAIT_TEXT));
    EXPECT_EQ(ui.Owner(), 0u) << "the waiting window has no owner";
  });
  clock.afterPass = [&](int pass) {
    if (pass == 2) Touch("note.tmp");  // matches no pattern
    if (pass == 3) Touch("Result.TXT");
  };
  EXPECT_TRUE(Wait(L"C:\\Drop\\r*.txt", kFileCreated));
  EXPECT_EQ(clock.passes, 4) << "the pass that finds the file still sleeps once";
  EXPECT_EQ(clock.slept, 4u * CmdWait::kPollMilliseconds);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], L"Waiting for C:\\Drop\\r*.txt to be created");

  clock.passes = 0;
  clock.afterPass = [&](int pass) {
    if (pass == 2) fs::remove(root / "c" / "Drop" / "Result.TXT");
  };
  EXPECT_TRUE(Wait(L"C:\\Drop\\?esult.txt", kFileDeleted));
  EXPECT_EQ(clock.passes, 3);
  EXPECT_EQ(dialogs.Opened(), 2u);
}

TEST_F(WaitTest, AFileThatIsThereAlreadyStillShowsTheWindowForOnePass) {
  Touch("ready.txt");
  int deliveries = 0;
  dialogs.Queue([&](ScriptedSurface&) { ++deliveries; });
  EXPECT_TRUE(Wait(L"C:\\Drop\\ready.txt", kFileCreated));
  EXPECT_EQ(deliveries, 1);
  EXPECT_EQ(clock.slept, CmdWait::kPollMilliseconds);
}

TEST_F(WaitTest, CancelEndsTheWaitWithFalseBeforeTheNextSleep) {
  int deliveries = 0;
  dialogs.Queue([&](ScriptedSurface& ui) {
    if (++deliveries == 3) {
      EXPECT_TRUE(ui.Cancel());
    }
  });
  EXPECT_FALSE(Wait(L"C:\\Drop\\never.txt", kFileCreated));
  EXPECT_EQ(deliveries, 3);
  EXPECT_EQ(clock.passes, 2);
}

TEST_F(WaitTest, ARegistryValueCountsAsSetOnlyOnceItIsReadableAndNotEmpty) {
  const std::wstring path = L"HKEY_CURRENT_USER\\Software\\Job\\Done";
  clock.afterPass = [&](int pass) {
    if (pass == 1)
      fakes.registry.Write(platform::RegistryRoot::kCurrentUser, L"Software\\Job", L"Done",
                           std::wstring());
    if (pass == 3)
      fakes.registry.Write(platform::RegistryRoot::kCurrentUser, L"Software\\Job", L"Done",
                           std::uint32_t{0});
  };
  std::wstring text;
  dialogs.Queue([&](ScriptedSurface& ui) { text = ui.Text(IDC_RUN_WAIT_TEXT); });
  EXPECT_TRUE(Wait(path, kRegistryValueSet));
  EXPECT_EQ(clock.passes, 4) << "a DWORD 0 reads as \"0\", which is set";
  EXPECT_EQ(text, L"Waiting for " + path + L" to be set");
}

TEST_F(WaitTest, AConditionWithoutATestShowsAndClosesTheWindowAtOnce) {
  int deliveries = 0;
  dialogs.Queue([&](ScriptedSurface&) { ++deliveries; });
  EXPECT_TRUE(Wait(L"C:\\Drop\\x", kNoCondition));
  EXPECT_EQ(dialogs.Opened(), 1u);
  EXPECT_EQ(deliveries, 0);
  EXPECT_EQ(clock.slept, 0u);
}

TEST_F(WaitTest, ThePathIsExpandedAndTheSummaryNamesTheCondition) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"dir", actions::Variable::kStaticText, L"C:\\Drop"));
  Touch("a.txt");
  std::wstring text;
  dialogs.Queue([&](ScriptedSurface& ui) { text = ui.Text(IDC_RUN_WAIT_TEXT); });
  EXPECT_TRUE(Wait(L"%dir%\\a.txt", kFileCreated));
  EXPECT_EQ(text, L"Waiting for C:\\Drop\\a.txt to be created");

  CmdWait command(&action);
  command.Assign({L"x", kFileDeleted});
  EXPECT_EQ(command.Summary(), L"WAIT until File is deleted");
  command.Assign({L"x", 7});
  EXPECT_EQ(command.Summary(), L"WAIT until ");
}

}  // namespace
}  // namespace vendrel::commands
