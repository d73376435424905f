// vendrel.exe on a display: the administrator builds an action in the add-in's own dialogs, one
// after the other as a person clicks through them, and a second vendrel.exe then runs it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "admin/CAdministrateActionsDlgRes.h"
#include "admin/CEditActionDlgRes.h"
#include "admin/CSelectCmdDlgRes.h"
#include "admin/ConditionDlgsRes.h"
#include "commands/files/CCreateFolderDlgRes.h"
#include "tests/platform/win32/BoxPresser.h"
#include "tests/tools/win32/DialogRoute.h"
#include "tests/tools/win32/VendrelProgram.h"

namespace vendrel::tools {
namespace {

using platform::testing::ArtefactPath;
using ::testing::ElementsAre;

using HostComAdminTest = VendrelProgramTest;

// Choosing "Create folder" in the command selection and naming the folder in its editor.
void AddCreateFolder(std::vector<RouteStage>& route, const std::wstring& folder,
                     const std::wstring& shot) {
  route.push_back({L"Edit Action", nullptr, IDC_EDIT_ACTION_ADD, L""});
  route.push_back({L"Select command",
                   [](HWND dialog) {
                     EXPECT_TRUE(ChooseEntry(dialog, IDC_SELECT_CMD_KINDS, L"Create folder"));
                   },
                   IDOK, shot});
  route.push_back({L"Create folder",
                   [folder](HWND dialog) { SetItemText(dialog, IDC_CREATE_FOLDER_PATH, folder); },
                   IDOK, L""});
}

TEST_F(HostComAdminTest, AnActionMadeInTheDialogsIsSavedAndRunsInTheNextProcess) {
  MakeVault(R"({"id": 1, "name": "Existing", "description": "made by import",
   "menuText": "Existing", "activation": ["menu"], "commands": []})");
  const std::wstring made = (dir / "made").wstring();

  std::vector<RouteStage> route;
  route.push_back(
      {L"Administrate actions", nullptr, IDC_ADMIN_ADD, ArtefactPath(L"admin-actions-list.bmp")});
  route.push_back({L"Edit Action",
                   [](HWND dialog) {
                     SetItemText(dialog, IDC_EDIT_ACTION_NAME, L"Make folders");
                     SetItemText(dialog, IDC_EDIT_ACTION_DESCRIPTION, L"Two folders for a job");
                     ClickNow(dialog, IDC_EDIT_ACTION_MENU);
                     SetItemText(dialog, IDC_EDIT_ACTION_MENU_TEXT, L"Tools\\Make folders");
                     ClickNow(dialog, IDC_EDIT_ACTION_STATE);
                     ClickNow(dialog, IDC_EDIT_ACTION_CHECK_OUT);
                     ClickNow(dialog, IDC_EDIT_ACTION_ADD_KIND);
                   },
                   IDC_EDIT_ACTION_STATE_CONDITIONS, L""});
  route.push_back(
      {L"State change conditions", nullptr, IDOK, ArtefactPath(L"admin-state-conditions.bmp")});
  route.push_back({L"Edit Action", nullptr, IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS, L""});
  route.push_back({L"Check out change conditions", nullptr, IDOK,
                   ArtefactPath(L"admin-check-out-conditions.bmp")});
  route.push_back({L"Edit Action", nullptr, IDC_EDIT_ACTION_ADD_CONDITIONS, L""});
  route.push_back({L"Add conditions", nullptr, IDOK, ArtefactPath(L"admin-add-conditions.bmp")});
  // Each command creates one level: the second folder lies inside the first.
  AddCreateFolder(route, made, ArtefactPath(L"admin-select-command.bmp"));
  AddCreateFolder(route, made + L"\\second", L"");
  // Only the menu starts it: the other activations go off again before OK.
  route.push_back({L"Edit Action",
                   [](HWND dialog) {
                     ClickNow(dialog, IDC_EDIT_ACTION_STATE);
                     ClickNow(dialog, IDC_EDIT_ACTION_CHECK_OUT);
                     ClickNow(dialog, IDC_EDIT_ACTION_ADD_KIND);
                   },
                   IDOK, ArtefactPath(L"admin-edit-action.bmp")});
  route.push_back(
      {L"Administrate actions", nullptr, IDOK, ArtefactPath(L"admin-actions-list-added.bmp")});

  DialogRoute walk(std::move(route));
  const Result admin = RunOk({"--vault", "v", "--user", "Chief", "menu", "Administrate Actions"});
  EXPECT_EQ(walk.Reached().size(), 15u) << admin.out;
  EXPECT_EQ(walk.Screenshots(), 7);
  EXPECT_NE(admin.out.find("refresh 6"), std::string::npos) << admin.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "made")) << "building an action runs nothing";

  const Result run = RunOk({"--vault", "v", "menu", "Tools\\Make folders"});
  EXPECT_TRUE(std::filesystem::is_directory(dir / "made")) << run.out;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "made" / "second")) << run.out;
  const Result registered = RunOk({"--vault", "v", "registered"});
  EXPECT_NE(registered.out.find("\"Existing\""), std::string::npos) << registered.out;
}

}  // namespace
}  // namespace vendrel::tools
