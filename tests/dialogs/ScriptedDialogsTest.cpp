// The modal protocol and the scripted surface that native tests and the reference host answer.
#include "platform/ScriptedDialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/FakeServices.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::platform {
namespace {

using ::testing::ElementsAre;

constexpr std::int32_t kName = 100;
constexpr std::int32_t kKinds = 101;  // a sorted combo box
constexpr std::int32_t kRows = 102;   // a list view
constexpr std::int32_t kNested = 103;
constexpr std::int32_t kSelected = 104;  // shows the selected row
constexpr std::int32_t kMany = 105;      // a list box that allows several selected entries

// Hands back the name on OK and refuses an empty one, as editors with checks do.
class NameDialog : public Dialog {
 public:
  std::int32_t TemplateId() const override { return 500; }
  std::vector<std::int32_t> SortedLists() const override { return {kKinds}; }

  std::wstring name = L"first";
  int textChanges = 0;
  int selectionChanges = 0;
  int listChanges = 0;
  std::vector<std::int32_t> rowsAtOk, entriesAtOk;
  int rowClicks = 0;
  int rowDoubleClicks = 0;
  DialogRunner* runner = nullptr;
  std::int32_t nestedResult = 0;

 protected:
  void OnInit() override {
    Ui().SetText(kName, name);
    for (const wchar_t* kind : {L"pear", L"Apple", L"fig"}) Ui().AddItem(kKinds, kind, 7);
    Ui().AddColumn(kRows, L"Name", 100);
    Ui().InsertRow(kRows, -1, L"a", 1);
    Ui().InsertRow(kRows, -1, L"b", 2);
    for (const wchar_t* entry : {L"x", L"y", L"z"}) Ui().AddItem(kMany, entry, 0);
    Ui().SelectRow(kMany, 1, true);
  }
  void OnControl(std::int32_t control, ControlEvent event) override {
    if (control == kName && event == ControlEvent::kTextChanged) ++textChanges;
    if (control == kRows && event == ControlEvent::kSelectionChanged) {
      ++selectionChanges;
      const auto rows = Ui().SelectedRows(kRows);
      Ui().SetText(kSelected, rows.empty() ? L"" : Ui().Cell(kRows, rows[0], 0));
    }
    if (control == kMany && event == ControlEvent::kSelectionChanged) ++listChanges;
    if (control == kRows && event == ControlEvent::kClicked) ++rowClicks;
    if (control == kRows && event == ControlEvent::kDoubleClicked) ++rowDoubleClicks;
    if (control == kNested && event == ControlEvent::kClicked) {
      NameDialog inner;
      nestedResult = runner->Run(inner, Ui().Handle());
    }
  }
  bool OnOk() override {
    if (Ui().Text(kName).empty()) return false;
    name = Ui().Text(kName);
    rowsAtOk = Ui().SelectedRows(kRows);
    entriesAtOk = Ui().SelectedRows(kMany);
    return true;
  }
};

TEST(ScriptedDialogsTest, OkHandsBackWhatWasTypedAndARefusedOkKeepsTheDialogOpen) {
  ScriptedDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(kName), L"first");
    ui.Type(kName, L"");
    EXPECT_TRUE(ui.Ok());
    EXPECT_FALSE(ui.Result()) << "an empty name is refused";
    ui.Type(kName, L"second");
    ui.Ok();
  });
  NameDialog dialog;
  EXPECT_EQ(runner.Run(dialog, 0), kIdOk);
  EXPECT_EQ(dialog.name, L"second");
  EXPECT_EQ(dialog.textChanges, 3) << "the program's own text counts as a change, as on Windows";
  EXPECT_FALSE(dialog.IsOpen());
}

TEST(ScriptedDialogsTest, ADialogLeftOpenOrWithoutScriptIsCancelled) {
  ScriptedDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) { ui.Type(kName, L"changed"); });
  NameDialog dialog;
  EXPECT_EQ(runner.Run(dialog, 0), kIdCancel);
  EXPECT_EQ(dialog.name, L"first");
  EXPECT_EQ(runner.Run(dialog, 0), kIdCancel);
  EXPECT_EQ(runner.Opened(), 2u);
}

TEST(ScriptedDialogsTest, NestedDialogsTakeTheScriptsQueuedAfterTheirParents) {
  ScriptedDialogRunner runner;
  Window outerHandle = 0;
  runner.Queue([&](ScriptedSurface& ui) {
    outerHandle = ui.Handle();
    ui.Click(kNested);
    ui.Ok();
  });
  runner.Queue([&](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Owner(), outerHandle) << "the nested dialog is owned by its parent";
    ui.Ok();
  });
  NameDialog dialog;
  dialog.runner = &runner;
  EXPECT_EQ(runner.Run(dialog, 0), kIdOk);
  EXPECT_EQ(dialog.nestedResult, kIdOk);
  EXPECT_EQ(runner.Pending(), 0u);
}

TEST(ScriptedDialogsTest, SortedListsInsertInOrderIgnoringCaseAndFindIgnoresCase) {
  ScriptedDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(kKinds), ElementsAre(L"Apple", L"fig", L"pear"));
    EXPECT_EQ(ui.FindItem(kKinds, L"FIG"), 1);
    EXPECT_TRUE(ui.Choose(kKinds, L"PEAR"));
    EXPECT_EQ(ui.SelectedItem(kKinds), 2);
    EXPECT_EQ(ui.Text(kKinds), L"pear") << "a combo box shows its choice in its edit part";
    EXPECT_FALSE(ui.Choose(kKinds, L"plum"));
  });
  NameDialog dialog;
  runner.Run(dialog, 0);
}

TEST(ScriptedDialogsTest, ListViewSelectionChangesReachTheDialogAlsoWhenARowGoes) {
  ScriptedDialogRunner runner;
  NameDialog dialog;
  runner.Queue([&](ScriptedSurface& ui) {
    ui.ChooseRow(kRows, 1);
    EXPECT_EQ(ui.Text(kSelected), L"b");
    ui.ChooseRow(kRows, 0);
    EXPECT_EQ(ui.Text(kSelected), L"a");
    EXPECT_THAT(ui.SelectedRows(kRows), ElementsAre(0));
    ui.DeleteRow(kRows, 0);
    EXPECT_EQ(ui.Text(kSelected), L"") << "deleting the selected row deselects it first";
    EXPECT_EQ(ui.RowCount(kRows), 1);
    EXPECT_EQ(ui.RowData(kRows, 0), 2);
  });
  runner.Run(dialog, 0);
  EXPECT_EQ(dialog.selectionChanges, 4);
}

TEST(ScriptedDialogsTest, DisabledAndHiddenControlsCannotBeUsed) {
  ScriptedDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) {
    ui.Enable(kName, false);
    EXPECT_FALSE(ui.Type(kName, L"x"));
    ui.Enable(kName, true);
    ui.Show(kNested, false);
    EXPECT_FALSE(ui.Click(kNested));
    EXPECT_TRUE(ui.Type(kName, L"x"));
  });
  NameDialog dialog;
  runner.Run(dialog, 0);
}

TEST(ScriptedDialogsTest, AnswerLinesTypeChooseSelectAndPress) {
  ScriptedDialogRunner runner;
  runner.QueueLines({L"text 100 two words", L"choose 101 fig", L"row 102 1", L"nonsense 4", L"ok"});
  NameDialog dialog;
  EXPECT_EQ(runner.Run(dialog, 0), kIdOk);
  EXPECT_EQ(dialog.name, L"two words");
  EXPECT_EQ(dialog.selectionChanges, 1);
}

TEST(ScriptedDialogsTest, AnswerLinesSelectSeveralRowsOrListEntries) {
  ScriptedDialogRunner runner;
  runner.QueueLines({L"rows 102 1 0", L"rows 105", L"select 105 Z", L"select 105 x",
                     L"rows 105 0 7", L"select 105 w", L"rows 102 one", L"ok"});
  NameDialog dialog;
  EXPECT_EQ(runner.Run(dialog, 0), kIdOk);
  EXPECT_THAT(dialog.rowsAtOk, ElementsAre(0, 1));
  EXPECT_THAT(dialog.entriesAtOk, ElementsAre(0, 2)) << "entries out of range select nothing";
  EXPECT_EQ(dialog.listChanges, 3) << "the program's own selection is not reported";
}

TEST(ScriptedDialogsTest, RowStepsSelectSeveralRowsAndClickOnceEach) {
  ScriptedDialogRunner runner;
  NameDialog dialog;
  runner.Queue([&](ScriptedSurface& ui) {
    EXPECT_TRUE(ApplyAnswerLine(ui, L"rows 102 0 1"));
    EXPECT_THAT(ui.SelectedRows(kRows), ElementsAre(0, 1));
    EXPECT_TRUE(ApplyAnswerLine(ui, L"double 102 1"));
    EXPECT_THAT(ui.SelectedRows(kRows), ElementsAre(1));
    EXPECT_TRUE(ApplyAnswerLine(ui, L"rows 102"));
    EXPECT_TRUE(ui.SelectedRows(kRows).empty());
    EXPECT_FALSE(ApplyAnswerLine(ui, L"rows 102 0 7")) << "no row 7";
    EXPECT_FALSE(ApplyAnswerLine(ui, L"row 102 x"));
    EXPECT_FALSE(ApplyAnswerLine(ui, L"double 102 0 1"));
    EXPECT_TRUE(ui.SelectedRows(kRows).empty());
  });
  runner.Run(dialog, 0);
  EXPECT_EQ(dialog.rowClicks, 3);
  EXPECT_EQ(dialog.rowDoubleClicks, 1);
}

TEST(ScriptedDialogsTest, MenusReturnTheQueuedChoiceThenNothing) {
  ScriptedDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) {
    const Menu menu{MenuItem::Item(L"One", 5), MenuItem::Separator(),
                    MenuItem::Submenu(L"More", {})};
    ui.AnswerMenu(5);
    EXPECT_EQ(ui.TrackMenu(menu, kNested), 5);
    EXPECT_EQ(ui.TrackMenu(menu, kNested), 0);
    ASSERT_EQ(ui.Menus().size(), 2u);
    EXPECT_EQ(ui.Menus()[0].anchor, kNested);
    EXPECT_EQ(ui.Menus()[0].menu[2].kind, MenuItem::Kind::kSubmenu);
  });
  NameDialog dialog;
  runner.Run(dialog, 0);
}

TEST(ScriptedDialogsTest, MessageBoxesOfADialogAreOwnedByIt) {
  testing::FakeServices fake;
  fake.messageBoxes.answers = {Answer::kYes};
  ScriptedDialogRunner runner(&fake.messageBoxes);
  runner.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.ShowMessage(L"Sure?", L"Vendrel", mb::kYesNo), static_cast<int>(Answer::kYes));
  });
  NameDialog dialog;
  runner.Run(dialog, 0);
  ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
  EXPECT_NE(fake.messageBoxes.shown[0].owner, 0u);
}

TEST(ScriptedDialogsTest, ReplacingTheSelectionPutsTheCaretAfterTheNewText) {
  ScriptedDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) {
    ui.Type(kName, L"abc");
    ui.SetSelection(kName, {1, 2});
    ui.ReplaceSelection(kName, L"XY");
    EXPECT_EQ(ui.Text(kName), L"aXYc");
    EXPECT_EQ(ui.Selection(kName), (EditSelection{3, 3}));
  });
  NameDialog dialog;
  runner.Run(dialog, 0);
}

TEST(ScriptedDialogsTest, TheTestsRunnerFailsWhenAQueuedScriptNeverRuns) {
  EXPECT_NONFATAL_FAILURE(
      {
        testing::StrictDialogRunner runner;
        runner.Queue([](ScriptedSurface& ui) { ui.Ok(); });
      },
      "never ran");

  testing::StrictDialogRunner runner;
  runner.Queue([](ScriptedSurface& ui) { ui.Ok(); });
  NameDialog dialog;
  EXPECT_EQ(runner.Run(dialog, 0), kIdOk);
}

}  // namespace
}  // namespace vendrel::platform
