// The registry, wait and shell editors through their presenters.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "commands/system/CRegistryDlgRes.h"
#include "commands/system/CShellDlg.h"
#include "commands/system/CShellDlgRes.h"
#include "commands/system/CWaitDlgRes.h"
#include "commands/system/CmdRegistry.h"
#include "commands/system/CmdShell.h"
#include "commands/system/CmdWait.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/Commands.h"
#include "tests/support/Steps.h"

namespace vendrel::commands {
namespace {

using platform::ScriptedSurface;
using ::testing::ElementsAre;

class SystemFolderShell : public platform::Shell {
 public:
  platform::ShellResult Execute(const platform::ShellRequest&) override { return {}; }
  std::wstring SystemFolder() override { return folder; }
  std::wstring RemoveFileSpec(const std::wstring& path) override { return path; }
  std::wstring folder = L"C:\\WINDOWS\\system32";
};

class SystemEditorsTest : public testing::ScriptedEditorTest {
 protected:
  SystemEditorsTest() { fakes.services.shell = &shell; }

  SystemFolderShell shell;
};

TEST_F(SystemEditorsTest, TheRegistryEditorTicksStringForANewCommandAndTakesTheTickedKind) {
  auto command = Make<CmdRegistry>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.TemplateId(), IDD_REGISTRY);
    EXPECT_TRUE(ui.IsChecked(IDC_REGISTRY_STRING));
    EXPECT_FALSE(ui.IsShown(IDC_REGISTRY_BINARY));
    EXPECT_FALSE(ui.Check(IDC_REGISTRY_BINARY, true)) << "out of reach";
    ui.Type(IDC_REGISTRY_KEY, L"HKEY_CURRENT_USER\\Software\\Test\\Count");
    ui.Type(IDC_REGISTRY_VALUE, L"%n%");
    ui.Check(IDC_REGISTRY_DWORD, true);
    ui.Ok();
  });
  ASSERT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values(), (CmdRegistry::Fields{L"HKEY_CURRENT_USER\\Software\\Test\\Count",
                                                    L"%n%", CmdRegistry::kDword}));
  EXPECT_EQ(command->Summary(), L"HKEY_CURRENT_USER\\Software\\Test\\Count : %n% (DWORD)");

  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsChecked(IDC_REGISTRY_DWORD));
    EXPECT_FALSE(ui.IsChecked(IDC_REGISTRY_STRING));
    ui.Type(IDC_REGISTRY_VALUE, L"changed");
    ui.Cancel();
  });
  EXPECT_FALSE(command->Edit(0));
  EXPECT_EQ(command->Values().value, L"%n%");
}

TEST_F(SystemEditorsTest, ANewWaitConfirmedUntouchedWaitsForAFileToBeCreated) {
  auto command = Make<CmdWait>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(IDC_WAIT_CONDITION),
                ElementsAre(L"File is created", L"File is deleted", L"Registry value is set"));
    EXPECT_EQ(ui.SelectedItem(IDC_WAIT_CONDITION), 0);
    EXPECT_EQ(ui.Text(IDC_WAIT_PATH_LABEL), L"Filename:");
    ui.Type(IDC_WAIT_PATH, L"C:\\Out\\*.pdf");
    ui.Ok();
  });
  ASSERT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values(), (CmdWait::Fields{L"C:\\Out\\*.pdf", kFileCreated}));
  EXPECT_EQ(command->Summary(), L"WAIT until File is created");

  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_WAIT_PATH), L"C:\\Out\\*.pdf");
    ui.Choose(IDC_WAIT_CONDITION, L"Registry value is set");
    EXPECT_EQ(ui.Text(IDC_WAIT_PATH_LABEL), L"Registry value:");
    ui.Choose(IDC_WAIT_CONDITION, L"File is deleted");
    EXPECT_EQ(ui.Text(IDC_WAIT_PATH_LABEL), L"Filename:");
    ui.Ok();
  });
  ASSERT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values().condition, kFileDeleted);
  EXPECT_EQ(command->Summary(), L"WAIT until File is deleted");
}

TEST_F(SystemEditorsTest, ACommandLineIsStoredForTheSystemCmdAndShownAgainWithoutSlashC) {
  auto command = Make<CmdShell>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsChecked(IDC_SHELL_SHELL_MODE));
    EXPECT_FALSE(ui.IsEnabled(IDC_SHELL_COMMAND_LINE));
    EXPECT_THAT(ui.Items(IDC_SHELL_VERB), ElementsAre(L"open", L"edit", L"print", L"explore"));
    EXPECT_TRUE(ui.Check(IDC_SHELL_COMMAND_LINE_MODE, true));
    EXPECT_FALSE(ui.IsChecked(IDC_SHELL_SHELL_MODE));
    EXPECT_FALSE(ui.IsEnabled(IDC_SHELL_VERB));
    EXPECT_FALSE(ui.IsEnabled(IDC_SHELL_FILE));
    EXPECT_FALSE(ui.IsEnabled(IDC_SHELL_PARAMETERS));
    ui.Type(IDC_SHELL_COMMAND_LINE, L"dir /s");
    ui.Check(IDC_SHELL_HALT, true);
    ui.Ok();
  });
  ASSERT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values(), (CmdShell::Fields{L"Open", L"C:\\WINDOWS\\system32\\Cmd.exe",
                                                 L"/c dir /s", 1, CmdShell::kCommandLineMode}));
  EXPECT_EQ(command->Summary(), L"Open C:\\WINDOWS\\system32\\Cmd.exe /c dir /s");

  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsChecked(IDC_SHELL_COMMAND_LINE_MODE));
    EXPECT_EQ(ui.Text(IDC_SHELL_COMMAND_LINE), L"dir /s");
    EXPECT_TRUE(ui.IsChecked(IDC_SHELL_HALT));
    ui.Check(IDC_SHELL_SHELL_MODE, true);
    EXPECT_TRUE(ui.IsEnabled(IDC_SHELL_FILE));
    ui.Type(IDC_SHELL_VERB, L"print");
    ui.Type(IDC_SHELL_FILE, L"C:\\a.pdf");
    ui.Check(IDC_SHELL_HALT, false);
    ui.Ok();
  });
  ASSERT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values(),
            (CmdShell::Fields{L"print", L"C:\\a.pdf", L"", 0, CmdShell::kShellMode}));
}

TEST(CommandLineTextTest, EverythingUpToTheCharacterAfterTheCIsCut) {
  EXPECT_EQ(CommandLineOf(L"/c dir /s"), L"dir /s");
  EXPECT_EQ(CommandLineOf(L"/C dir"), L"/C dir") << "an upper-case C is no switch";
  EXPECT_EQ(CommandLineOf(L"-x /y abc"), L"");
  EXPECT_EQ(CommandLineOf(L"/k copy a b"), L"py a b") << "the first c after the slash counts";
  EXPECT_EQ(CommandLineOf(L"plain"), L"plain");
  EXPECT_EQ(CommandLineOf(L"/c"), L"");
}

TEST_F(SystemEditorsTest, WithoutTheSystemFolderTheShellFindsCmdItself) {
  shell.folder.clear();
  auto command = Make<CmdShell>();
  dialogs.QueueLines({vendrel::testing::Step(L"check", IDC_SHELL_COMMAND_LINE_MODE),
                      vendrel::testing::Step(L"text", IDC_SHELL_COMMAND_LINE, L"ver"), L"ok"});
  ASSERT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values().file, L"Cmd.exe");
  EXPECT_EQ(command->Values().parameters, L"/c ver");
}

}  // namespace
}  // namespace vendrel::commands
