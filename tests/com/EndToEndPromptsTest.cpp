// Prompts of actions run inside the product, bin/vendrel.dll, on a display: its message boxes
// and its own run-time dialog, answered as a person would and photographed for a person to see.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/prompts/CRunEditBoxDlgRes.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "platform/RunLog.h"
#include "tests/com/EndToEnd.h"
#include "tests/dialogs/win32/DialogDriver.h"
#include "tests/platform/win32/BoxPresser.h"

namespace vendrel::com {
namespace {

using platform::testing::ArtefactPath;
using platform::testing::BoxPresser;
using ::testing::Contains;
using ::testing::ElementsAre;

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ProductInstallation);

// The host's main window owns what the add-in shows.
class PromptTest : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    window = CreateWindowExW(0, L"STATIC", L"Vault client", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 500, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    hostWindow = static_cast<host::HostWindow>(reinterpret_cast<std::intptr_t>(window));
  }
  void TearDown() override {
    DestroyWindow(window);
    EndToEndTest::TearDown();
  }

  // The user chooses the action's menu command on one document.
  host::HResult Choose(std::int32_t actionId, const VaultDocument& document,
                       host::HostNotification* answered = nullptr) {
    host::HostNotification n = Notification(1, {MenuItem(document)});
    n.commandId = actionId;
    const host::HResult hr = addIn->OnCommand(n);
    if (answered) *answered = n;
    return hr;
  }

  HWND window = nullptr;
};

TEST_F(PromptTest, OkMessageBoxShowsTheExpandedTextOverTheHostWindow) {
  actions::Action& announce = NewAction(L"Announce");
  Add<commands::CmdOkMsgBox>(announce).Assign({L"%NameOfSelectedFile% is ready & waiting."});
  SaveActions();
  LoadAddIn();

  const std::wstring shot = ArtefactPath(L"end-to-end-ok-messagebox.bmp");
  BoxPresser presser(L"Vendrel", IDOK, shot);
  host::HostNotification answered;
  EXPECT_EQ(Choose(announce.actionId, docs[0], &answered), host::kOk);

  const auto& seen = presser.Seen();
  ASSERT_TRUE(seen.found);
  EXPECT_THAT(seen.texts, Contains(L"a.txt is ready & waiting."));
  EXPECT_THAT(seen.buttons, ElementsAre(IDOK));
  EXPECT_EQ(seen.owner, window);
  EXPECT_FALSE(seen.ownerEnabled) << "the host window took input while the box was up";
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
  EXPECT_EQ(answered.refreshFlags, 0) << "a message box changes nothing";
}

// Switched on in the user's registry, the product logs each run in the user's local
// application-data folder, naming the command that failed.
TEST_F(PromptTest, TheRunLogNamesTheFailedCommandOfARun) {
  actions::Action& copy = NewAction(L"Copy");
  Add<commands::CmdCopyFile>(copy).Assign({Local(L"missing.txt"), Local(L"copy.txt")});
  SaveActions();
  LoadAddIn();
  const std::filesystem::path file = platform::RotatedLogFile::DefaultFile();
  std::filesystem::path older = file;
  older += ".1";
  std::filesystem::remove(file);
  std::filesystem::remove(older);
  const DWORD on = 1;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Vendrel", L"RunLog", REG_DWORD, &on,
                            sizeof on),
            ERROR_SUCCESS);

  BoxPresser presser(L"Vendrel", IDOK, L"");
  EXPECT_EQ(Choose(copy.actionId, docs[0]), host::kOk);
  EXPECT_TRUE(presser.Seen().found);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Vendrel", L"RunLog");

  const std::vector<std::wstring> lines = platform::RotatedLogFile(file).Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(L"\t1\t" + std::to_wstring(copy.actionId) + L"\tCopy\t"),
            std::wstring::npos)
      << lines[0];
  EXPECT_TRUE(lines[0].ends_with(L"\t1 Copy file")) << lines[0];
}

// Asks before making a folder for the document; No jumps past the folder's creation.
class YesNoTest : public PromptTest {
 protected:
  void SetUp() override {
    PromptTest::SetUp();
    actions::Action& action = NewAction(L"Prepare");
    AddRuntimeVariable(action, L"Answer");
    Add<commands::CmdYesNoBox>(action).Assign(
        {L"Answer", L"Make a work folder for %NameOfSelectedFile%?", L"make", L"skip"});
    AddJump(action, {L"%Answer%", L"skip", L"done", commands::JumpCondition::kEquals, true});
    Add<commands::CmdCreateFolder>(action).Assign({Local(L"Work for %NameOfSelectedFile%")});
    AddLabel(action, L"done");
    prepare = action.actionId;
    SaveActions();
    LoadAddIn();
  }
  platform::testing::SeenBox Answer(int button, const std::wstring& shot) {
    BoxPresser presser(L"Vendrel", button, shot);
    EXPECT_EQ(Choose(prepare, docs[1]), host::kOk);
    return presser.Seen();
  }

  std::int32_t prepare = 0;
};

TEST_F(YesNoTest, YesGoesOnToTheFolderCreation) {
  const std::wstring shot = ArtefactPath(L"end-to-end-yesno-messagebox.bmp");
  const auto seen = Answer(IDYES, shot);
  ASSERT_TRUE(seen.found);
  EXPECT_THAT(seen.texts, Contains(L"Make a work folder for b.txt?"));
  EXPECT_THAT(seen.buttons, ElementsAre(IDYES, IDNO));
  EXPECT_EQ(seen.owner, window);
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
  EXPECT_TRUE(std::filesystem::is_directory(Local(L"Work for b.txt")));
}

TEST_F(YesNoTest, NoJumpsPastTheFolderCreation) {
  const auto seen = Answer(IDNO, L"");
  ASSERT_TRUE(seen.found);
  EXPECT_FALSE(std::filesystem::exists(Local(L"Work for b.txt")));
}

// The run-time edit box is a dialog template of the product itself.
TEST_F(PromptTest, EditBoxFromTheProductsOwnTemplateNamesTheNewFolder) {
  actions::Action& name = NewAction(L"Name a folder");
  AddRuntimeVariable(name, L"Folder");
  Add<commands::CmdEditBox>(name).Assign({L"Folder", L"Folder for %NameOfSelectedFile%:"});
  Add<commands::CmdCreateFolder>(name).Assign({Local(L"%Folder%")});
  SaveActions();
  LoadAddIn();

  std::wstring prompt;
  const std::wstring shot = ArtefactPath(L"end-to-end-run-edit-box.bmp");
  testing::DialogDriver driver(
      L"EditBox",
      [&](HWND dialog) {
        prompt = testing::ItemText(dialog, IDC_RUN_EDIT_BOX_PROMPT);
        SetDlgItemTextW(dialog, IDC_RUN_EDIT_BOX_ANSWER, L"Typed name");
      },
      shot);
  EXPECT_EQ(Choose(name.actionId, docs[2]), host::kOk);

  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(prompt, L"Folder for c.prt:");
  EXPECT_EQ(driver.ScreenshotSaved(), !shot.empty());
  EXPECT_TRUE(std::filesystem::is_directory(Local(L"Typed name")));
}

}  // namespace
}  // namespace vendrel::com
