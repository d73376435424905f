// The action editor, the command selection and the condition dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "admin/CEditActionDlg.h"
#include "admin/CEditActionDlgRes.h"
#include "admin/CSelectCmdDlgRes.h"
#include "admin/ConditionDlgsRes.h"
#include "commands/core/CJumpDlgRes.h"
#include "commands/core/CLabelDlgRes.h"
#include "commands/core/CSetVariablesDlgRes.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CmdLabel.h"
#include "commands/prompts/COKMsgBoxDlgRes.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "tests/admin/AdminFixture.h"
#include "tests/support/Steps.h"

namespace vendrel::admin {
namespace {

using platform::ScriptedSurface;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kList = IDC_EDIT_ACTION_LIST;

class EditActionTest : public testing::AdminTest {
 protected:
  EditActionTest() : action(AddAction(L"Backup", 102)) {
    action.activationKinds = actions::kActivateByMenu | actions::kActivateOnCheckOut;
    action.menuText = L"Tools\\Backup";
    for (const wchar_t* text : {L"zero", L"one", L"two", L"three"}) {
      auto box = std::make_unique<commands::CmdOkMsgBox>(&action);
      box->Assign({text});
      action.commands.push_back(std::move(box));
    }
  }

  std::int32_t Edit(platform::ScriptedDialogRunner::Script steps) {
    CEditActionDlg dialog(action, session, &fakes.services);
    dialogs.Queue(std::move(steps));
    return dialogs.Run(dialog, 0);
  }
  static std::vector<std::wstring> Rows(const ScriptedSurface& ui) {
    std::vector<std::wstring> rows;
    for (std::int32_t row = 0; row < ui.RowCount(kList); ++row)
      rows.push_back(ui.Cell(kList, row, 1));
    return rows;
  }
  std::vector<std::wstring> Summaries() const {
    std::vector<std::wstring> summaries;
    for (const auto& command : action.commands) summaries.push_back(command->Summary());
    return summaries;
  }
  // The selection offers a kind by its name; its editor takes `steps`.
  void QueueCommand(const std::wstring& kind, std::vector<std::wstring> steps) {
    dialogs.QueueLines({vendrel::testing::Step(L"choose", IDC_SELECT_CMD_KINDS, kind), L"ok"});
    dialogs.QueueLines(std::move(steps));
  }

  actions::Action& action;
};

TEST_F(EditActionTest, OpensWithTheActionAndStoresWhatOkReads) {
  Edit([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_EDIT_ACTION_NAME), L"Backup");
    EXPECT_EQ(ui.Text(IDC_EDIT_ACTION_MENU_TEXT), L"Tools\\Backup");
    EXPECT_TRUE(ui.IsChecked(IDC_EDIT_ACTION_MENU));
    EXPECT_TRUE(ui.IsEnabled(IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS));
    EXPECT_FALSE(ui.IsEnabled(IDC_EDIT_ACTION_STATE_CONDITIONS));
    EXPECT_THAT(ui.Columns(kList), ElementsAre(L"Type", L"Content"));
    EXPECT_EQ(ui.Cell(kList, 1, 0), L"OK MessageBox");
    for (int id :
         {IDC_EDIT_ACTION_REMOVE, IDC_EDIT_ACTION_EDIT, IDC_EDIT_ACTION_UP, IDC_EDIT_ACTION_DOWN})
      EXPECT_FALSE(ui.IsEnabled(id));
    ui.Check(IDC_EDIT_ACTION_CHECK_OUT, false);
    EXPECT_FALSE(ui.IsEnabled(IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS));
    ui.Check(IDC_EDIT_ACTION_ADD_KIND, true);
    ui.Check(IDC_EDIT_ACTION_MENU, false);
    ui.Type(IDC_EDIT_ACTION_MENU_TEXT, L"");
    ui.Ok();
  });
  EXPECT_EQ(action.activationKinds, actions::kActivateOnAdd);
  EXPECT_EQ(action.menuText, L"Tools\\Backup") << "an unticked menu command keeps its text";
}

TEST_F(EditActionTest, ANewActionNeedsANameAndATickedMenuCommandItsText) {
  actions::Action fresh;
  CEditActionDlg dialog(fresh, session, &fakes.services);
  dialogs.Queue([&](ScriptedSurface& ui) {
    EXPECT_FALSE(ui.IsChecked(IDC_EDIT_ACTION_MENU));
    EXPECT_FALSE(ui.IsEnabled(IDC_EDIT_ACTION_MENU_TEXT));
    EXPECT_FALSE(ui.IsEnabled(IDC_EDIT_ACTION_ADD_CONDITIONS));
    ui.Ok();
    ui.Type(IDC_EDIT_ACTION_NAME, L"Fresh");
    ui.Check(IDC_EDIT_ACTION_MENU, true);
    ui.Ok();
    EXPECT_FALSE(ui.Result());
    ui.Type(IDC_EDIT_ACTION_MENU_TEXT, L"Fresh one");
    ui.Ok();
  });
  EXPECT_EQ(dialogs.Run(dialog, 0), platform::kIdOk);
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"Name is missing");
  EXPECT_EQ(fakes.messageBoxes.shown[1].text, L"Menu command is missing");
  EXPECT_EQ(fakes.messageBoxes.shown[1].style, platform::mb::kOk | platform::mb::kIconExclamation);
  EXPECT_EQ(fresh.activationKinds, actions::kActivateByMenu);
  EXPECT_EQ(fresh.menuText, L"Fresh one");
}

TEST_F(EditActionTest, OnlyAContiguousSelectionCanBeMovedOrRemovedAndOnlyOneRowEdited) {
  Edit([](ScriptedSurface& ui) {
    ui.ChooseRows(kList, {1, 3});
    for (int id : {IDC_EDIT_ACTION_REMOVE, IDC_EDIT_ACTION_UP, IDC_EDIT_ACTION_EDIT})
      EXPECT_FALSE(ui.IsEnabled(id)) << id;
    ui.ChooseRows(kList, {1, 2});
    EXPECT_TRUE(ui.IsEnabled(IDC_EDIT_ACTION_DOWN));
    EXPECT_FALSE(ui.IsEnabled(IDC_EDIT_ACTION_EDIT));
    ui.ChooseRow(kList, 2);
    EXPECT_TRUE(ui.IsEnabled(IDC_EDIT_ACTION_EDIT));
    // A selection made by keyboard updates no buttons: the move itself refuses the gap.
    ui.ChooseRows(kList, {1, 2});
    ui.SelectRow(kList, 2, false);
    ui.SelectRow(kList, 3, true);
    ui.Click(IDC_EDIT_ACTION_DOWN);
    EXPECT_THAT(Rows(ui), ElementsAre(L"zero", L"one", L"two", L"three"));
    ui.Click(IDC_EDIT_ACTION_UP);
    EXPECT_THAT(Rows(ui), ElementsAre(L"zero", L"one", L"two", L"three"));
  });
}

TEST_F(EditActionTest, AMenuTextShowsOnlyWithTheMenuBit) {
  action.activationKinds = actions::kActivateOnCheckOut;
  Edit([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_EDIT_ACTION_MENU_TEXT), L"");
    ui.Check(IDC_EDIT_ACTION_MENU, true);
    ui.Ok();
    EXPECT_FALSE(ui.Result());
  });
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"Menu command is missing");
}

TEST_F(EditActionTest, EditAndADoubleClickOpenTheCommandsEditorAndVariablesTheActionsOwn) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"dest", actions::Variable::kStaticText, L"C:\\B"));
  CEditActionDlg dialog(action, session, &fakes.services);
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.ChooseRow(kList, 1);
    ui.Click(IDC_EDIT_ACTION_EDIT);
    EXPECT_EQ(ui.Cell(kList, 1, 1), L"edited");
    ui.DoubleClickRow(kList, 2);
    EXPECT_EQ(ui.Cell(kList, 2, 1), L"clicked");
    ui.Click(IDC_EDIT_ACTION_VARIABLES);
    ui.Ok();
  });
  dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_OK_MSG_BOX_TEXT, L"edited"), L"ok"});
  dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_OK_MSG_BOX_TEXT, L"clicked"), L"ok"});
  dialogs.Queue([](ScriptedSurface& ui) {
    ASSERT_EQ(ui.RowCount(IDC_SETVAR_LIST), 1);
    EXPECT_EQ(ui.Cell(IDC_SETVAR_LIST, 0, 0), L"dest");
    ui.ChooseRow(IDC_SETVAR_LIST, 0);
    ui.Click(IDC_SETVAR_REMOVE);
    ui.Ok();
  });
  EXPECT_EQ(dialogs.Run(dialog, 0), platform::kIdOk);
  EXPECT_THAT(Summaries(), ElementsAre(L"zero", L"edited", L"clicked", L"three"));
  EXPECT_THAT(action.variables, IsEmpty());
}

TEST_F(EditActionTest, BlocksMoveTogetherAndStaySelected) {
  Edit([](ScriptedSurface& ui) {
    ui.ChooseRows(kList, {2, 3});
    ui.Click(IDC_EDIT_ACTION_UP);
    EXPECT_THAT(Rows(ui), ElementsAre(L"zero", L"two", L"three", L"one"));
    EXPECT_THAT(ui.SelectedRows(kList), ElementsAre(1, 2));
    EXPECT_EQ(ui.Focused(), kList);
    ui.ChooseRows(kList, {0, 1});
    ui.Click(IDC_EDIT_ACTION_DOWN);
    EXPECT_THAT(Rows(ui), ElementsAre(L"three", L"zero", L"two", L"one"));
    ui.ChooseRows(kList, {2, 3});
    ui.Click(IDC_EDIT_ACTION_DOWN);  // already at the end
    EXPECT_THAT(Rows(ui), ElementsAre(L"three", L"zero", L"two", L"one"));
    ui.Ok();
  });
  EXPECT_THAT(Summaries(), ElementsAre(L"three", L"zero", L"two", L"one"));
}

TEST_F(EditActionTest, AddedCommandsGoAfterTheSelectedRowAndACancelledEditorAddsNothing) {
  Edit([&](ScriptedSurface& ui) {
    QueueCommand(L"OK MessageBox",
                 {vendrel::testing::Step(L"text", IDC_OK_MSG_BOX_TEXT, L"new"), L"ok"});
    ui.ChooseRow(kList, 2);
    ui.Click(IDC_EDIT_ACTION_ADD);
    QueueCommand(L"Label", {vendrel::testing::Step(L"text", IDC_LABEL_NAME, L"never"), L"cancel"});
    ui.Click(IDC_EDIT_ACTION_ADD);
    dialogs.QueueLines({L"cancel"});
    ui.Click(IDC_EDIT_ACTION_ADD);
    ui.ChooseRows(kList, {});
    QueueCommand(L"Label", {vendrel::testing::Step(L"text", IDC_LABEL_NAME, L"end"), L"ok"});
    ui.Click(IDC_EDIT_ACTION_ADD);
    EXPECT_THAT(Rows(ui), ElementsAre(L"zero", L"one", L"two", L"new", L"three", L"end"));
    ui.Ok();
  });
  EXPECT_THAT(Summaries(), ElementsAre(L"zero", L"one", L"two", L"new", L"three", L"end"));
  EXPECT_EQ(action.commands[5]->Owner(), &action);
}

TEST_F(EditActionTest, RemovedCommandsGoOnOkAndComeBackUnmarkedOnCancel) {
  auto label = std::make_unique<commands::CmdLabel>(&action);
  label->SetServices(&fakes.services);
  dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_LABEL_NAME, L"again"), L"ok"});
  ASSERT_TRUE(label->Edit(0));
  action.commands.push_back(std::move(label));
  // The jump editor offers the labels the rows hold.
  const auto offered = [this](ScriptedSurface& ui) {
    std::vector<std::wstring> labels;
    dialogs.QueueLines({vendrel::testing::Step(L"choose", IDC_SELECT_CMD_KINDS, L"Jump"), L"ok"});
    dialogs.Queue([&labels](ScriptedSurface& jump) {
      labels = jump.Items(IDC_JUMP_LABEL);
      jump.Cancel();
    });
    ui.Click(IDC_EDIT_ACTION_ADD);
    return labels;
  };
  Edit([&](ScriptedSurface& ui) {
    EXPECT_THAT(offered(ui), ElementsAre(L"again"));
    ui.ChooseRows(kList, {3, 4});
    ui.Click(IDC_EDIT_ACTION_REMOVE);
    EXPECT_THAT(offered(ui), IsEmpty());
    QueueCommand(L"OK MessageBox",
                 {vendrel::testing::Step(L"text", IDC_OK_MSG_BOX_TEXT, L"added"), L"ok"});
    ui.Click(IDC_EDIT_ACTION_ADD);
    ui.Cancel();
  });
  EXPECT_THAT(Summaries(), ElementsAre(L"zero", L"one", L"two", L"three", L"again"));
  for (const auto& command : action.commands) EXPECT_FALSE(command->IsRemoved());

  Edit([](ScriptedSurface& ui) {
    ui.ChooseRows(kList, {0, 1});
    ui.Click(IDC_EDIT_ACTION_REMOVE);
    ui.Ok();
  });
  EXPECT_THAT(Summaries(), ElementsAre(L"two", L"three", L"again"));
}

TEST_F(EditActionTest, TheSelectionOffersEveryKindTheFactoryMakes) {
  std::size_t made = 0;
  for (std::int32_t type = commands::kFirstListType; type <= commands::kLastListType; ++type)
    made += commands::CreateCmd(type, nullptr) != nullptr;
  Edit([&](ScriptedSurface& ui) {
    dialogs.Queue([&](ScriptedSurface& select) {
      const auto kinds = select.Items(IDC_SELECT_CMD_KINDS);
      EXPECT_EQ(kinds.size(), made);
      EXPECT_TRUE(std::is_sorted(kinds.begin(), kinds.end()));
      EXPECT_EQ(select.Text(IDC_SELECT_CMD_KINDS), kinds.front());
      select.Cancel();
    });
    ui.Click(IDC_EDIT_ACTION_ADD);
  });
}

TEST_F(EditActionTest, ConditionsAreWrittenAtOnceEvenWhenTheEditorIsCancelled) {
  action.activationKinds =
      actions::kActivateOnStateChange | actions::kActivateOnCheckOut | actions::kActivateOnAdd;
  action.checkOutKind = 4;
  Edit([&](ScriptedSurface& ui) {
    dialogs.Queue([](ScriptedSurface& state) {
      EXPECT_THAT(state.Items(IDC_STATE_COND_STATES),
                  ElementsAre(L"Approval.Pending", L"Approval.Released", L"Release.Draft",
                              L"Release.Released", L"Release.Review"));
      EXPECT_EQ(state.Text(IDC_STATE_COND_STATES), L"Approval.Pending") << "no held state";
      EXPECT_TRUE(state.IsChecked(IDC_STATE_COND_AFTER));
      state.Choose(IDC_STATE_COND_STATES, L"release.review");
      state.Type(IDC_STATE_COND_PATH, L"C:\\Vault\\%");
      state.Check(IDC_STATE_COND_BEFORE, true);
      state.Ok();
    });
    ui.Click(IDC_EDIT_ACTION_STATE_CONDITIONS);
    dialogs.Queue([](ScriptedSurface& lock) {
      EXPECT_EQ(lock.Text(IDC_LOCK_COND_KINDS), L"Check out");
      lock.Choose(IDC_LOCK_COND_KINDS, L"Undo check out");
      lock.Ok();
    });
    ui.Click(IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS);
    dialogs.QueueLines(
        {vendrel::testing::Step(L"text", IDC_ADD_COND_PATH, L"C:\\Vault\\New\\%"), L"cancel"});
    ui.Click(IDC_EDIT_ACTION_ADD_CONDITIONS);
    ui.Cancel();
  });
  EXPECT_EQ(action.stateChangePath, L"C:\\Vault\\%");
  EXPECT_FALSE(action.stateChangeAfter);
  EXPECT_EQ(action.checkOutKind, actions::kUndoCheckOut);
  EXPECT_TRUE(action.checkOutAfter);
  EXPECT_EQ(action.addPath, L"") << "Cancel hands back what the dialog was given";

  Edit([&](ScriptedSurface& ui) {
    dialogs.Queue([](ScriptedSurface& state) {
      EXPECT_EQ(state.Text(IDC_STATE_COND_STATES), L"Release.Review");
      EXPECT_TRUE(state.IsChecked(IDC_STATE_COND_BEFORE));
    });
    ui.Click(IDC_EDIT_ACTION_STATE_CONDITIONS);
  });
}

}  // namespace
}  // namespace vendrel::admin
