// The actions list: rows, buttons, add, edit, remove, action files and the clipboard.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "actions/HexStringFile.h"
#include "admin/CAdministrateActionsDlg.h"
#include "admin/CAdministrateActionsDlgRes.h"
#include "admin/CEditActionDlgRes.h"
#include "platform/NativePath.h"
#include "platform/posix/Answerers.h"
#include "platform/posix/Ui.h"
#include "tests/actions/TestActions.h"
#include "tests/admin/AdminFixture.h"
#include "tests/support/FileText.h"
#include "tests/support/Steps.h"

namespace vendrel::admin {
namespace {

using platform::ScriptedSurface;
using ::testing::ElementsAre;
using vendrel::testing::FileText;

class AdministrateActionsTest : public testing::AdminTest {
 protected:
  AdministrateActionsTest() {
    for (const wchar_t* name : {L"Zero", L"One", L"Two", L"Three", L"Four"})
      AddAction(name, ++highest);
  }
  ~AdministrateActionsTest() override { std::filesystem::remove_all(folder); }

  // Shows the list with `steps`; OK or Cancel as the steps leave it (Cancel when open).
  std::int32_t Administer(platform::ScriptedDialogRunner::Script steps) {
    fakes.services.fileDialogs = &fileDialogs;
    CAdministrateActionsDlg dialog(list, session, &fakes.services);
    dialog.SetCommandIdCounter(highest);
    dialogs.Queue(std::move(steps));
    const std::int32_t result = dialogs.Run(dialog, 0);
    highest = dialog.CommandIdCounter();
    return result;
  }
  std::vector<std::wstring> Rows(const ScriptedSurface& ui) const {
    std::vector<std::wstring> rows;
    for (std::int32_t row = 0; row < ui.RowCount(IDC_ADMIN_LIST); ++row)
      rows.push_back(ui.Cell(IDC_ADMIN_LIST, row, 0));
    return rows;
  }
  // The action editor names a new action and closes with OK.
  void QueueNewAction(const std::wstring& name) {
    dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_EDIT_ACTION_NAME, name), L"ok"});
  }
  std::wstring File(const char* name) {
    std::filesystem::create_directories(folder);
    return platform::WindowsPath(folder / name);
  }

  std::int32_t highest = actions::kNoActionId;
  platform::RecordingAnswerer answerer;
  platform::AnsweredFileDialogs fileDialogs{answerer};
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("vendrel-admin-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(AdministrateActionsTest, RemovedRowsGoAtOnceButTheirActionsOnlyOnOk) {
  EXPECT_EQ(Administer([&](ScriptedSurface& ui) {
              EXPECT_THAT(ui.Columns(IDC_ADMIN_LIST), ElementsAre(L"Name", L"Description"));
              EXPECT_THAT(ui.ColumnWidths(IDC_ADMIN_LIST), ElementsAre(150, 400));
              EXPECT_EQ(ui.Cell(IDC_ADMIN_LIST, 2, 1), L"about Two");
              for (int id : {IDC_ADMIN_SAVE, IDC_ADMIN_COPY, IDC_ADMIN_EDIT, IDC_ADMIN_REMOVE})
                EXPECT_FALSE(ui.IsEnabled(id)) << id;
              EXPECT_FALSE(ui.IsEnabled(IDC_ADMIN_PASTE)) << "the clipboard holds no action";
              ASSERT_TRUE(ui.ChooseRows(IDC_ADMIN_LIST, {1, 3}));
              EXPECT_TRUE(ui.IsEnabled(IDC_ADMIN_REMOVE));
              ASSERT_TRUE(ui.Click(IDC_ADMIN_REMOVE));
              EXPECT_THAT(Rows(ui), ElementsAre(L"Zero", L"Two", L"Four"));
              EXPECT_EQ(list.size(), 5u) << "removed actions stay until OK";
              EXPECT_TRUE(ui.IsEnabled(IDC_ADMIN_REMOVE)) << "only a click updates the buttons";
              ui.Ok();
            }),
            platform::kIdOk);
  EXPECT_THAT(Names(), ElementsAre(L"Zero", L"Two", L"Four"));
}

TEST_F(AdministrateActionsTest, CancelKeepsTheRemovedActions) {
  Administer([](ScriptedSurface& ui) {
    ui.ChooseRow(IDC_ADMIN_LIST, 0);
    ui.Click(IDC_ADMIN_REMOVE);
  });
  EXPECT_EQ(list.size(), 5u);
}

TEST_F(AdministrateActionsTest, AddPutsTheNewActionAfterTheSelectedRowAndUsesAnIdEvenCancelled) {
  Administer([&](ScriptedSurface& ui) {
    dialogs.QueueLines(
        {vendrel::testing::Step(L"text", IDC_EDIT_ACTION_NAME, L"Never"), L"cancel"});
    ui.Click(IDC_ADMIN_ADD);
    EXPECT_EQ(ui.RowCount(IDC_ADMIN_LIST), 5);

    QueueNewAction(L"After one");
    ui.ChooseRow(IDC_ADMIN_LIST, 1);
    ui.Click(IDC_ADMIN_ADD);
    ui.ChooseRows(IDC_ADMIN_LIST, {});
    QueueNewAction(L"Last");
    ui.Click(IDC_ADMIN_ADD);
    EXPECT_THAT(Rows(ui),
                ElementsAre(L"Zero", L"One", L"After one", L"Two", L"Three", L"Four", L"Last"));
    ui.Ok();
  });
  EXPECT_THAT(Names(),
              ElementsAre(L"Zero", L"One", L"After one", L"Two", L"Three", L"Four", L"Last"));
  EXPECT_EQ(list[2]->actionId, 108) << "107 went to the cancelled action";
  EXPECT_EQ(list[6]->actionId, 109);
  EXPECT_TRUE(list[2]->changedMark);
  EXPECT_FALSE(list[1]->changedMark);
}

TEST_F(AdministrateActionsTest, EditRewritesTheRowWhateverTheEditorAnswers) {
  Administer([&](ScriptedSurface& ui) {
    ui.Click(IDC_ADMIN_EDIT);  // disabled: nothing selected
    EXPECT_EQ(dialogs.Opened(), 1u);
    dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_EDIT_ACTION_NAME, L"Renamed"),
                        vendrel::testing::Step(L"text", IDC_EDIT_ACTION_DESCRIPTION, L"new words"),
                        L"ok"});
    ui.DoubleClickRow(IDC_ADMIN_LIST, 2);
    EXPECT_EQ(ui.Cell(IDC_ADMIN_LIST, 2, 0), L"Renamed");
    EXPECT_EQ(ui.Cell(IDC_ADMIN_LIST, 2, 1), L"new words");
  });
  EXPECT_EQ(list[2]->name, L"Renamed") << "the editor works on the action itself";
  EXPECT_TRUE(list[2]->changedMark);
}

TEST_F(AdministrateActionsTest, PastedActionsAreCopiesNamedCopyOfOnceWithNewIds) {
  Administer([&](ScriptedSurface& ui) {
    ui.ChooseRows(IDC_ADMIN_LIST, {1, 3});
    ui.Click(IDC_ADMIN_COPY);
    EXPECT_TRUE(ui.IsEnabled(IDC_ADMIN_PASTE));
    ui.Click(IDC_ADMIN_PASTE);
    ui.Click(IDC_ADMIN_PASTE);
    ui.Ok();
  });
  EXPECT_THAT(Names(), ElementsAre(L"Zero", L"One", L"Two", L"Three", L"Four", L"Copy of One",
                                   L"Copy of Three", L"Copy of One", L"Copy of Three"));
  EXPECT_EQ(list[5]->actionId, 107);
  EXPECT_EQ(list[8]->actionId, 110);
  EXPECT_EQ(list[5]->description, L"about One");
  EXPECT_TRUE(list[5]->changedMark);
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
}

TEST_F(AdministrateActionsTest, ClipboardTroubleIsToldAndForeignDataPastesNothing) {
  fakes.clipboard.formats[actions::kClipboardFormat] = L"02000000FFFE";  // two actions, cut short
  Administer([&](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsEnabled(IDC_ADMIN_PASTE));
    ui.Click(IDC_ADMIN_PASTE);
    EXPECT_EQ(ui.RowCount(IDC_ADMIN_LIST), 5);
    EXPECT_TRUE(fakes.messageBoxes.shown.empty()) << "a damaged paste says nothing";

    fakes.clipboard.formats = {{L"Text", L"hello"}};
    ui.Click(IDC_ADMIN_PASTE);
    EXPECT_FALSE(ui.IsEnabled(IDC_ADMIN_PASTE));

    fakes.clipboard.busy = true;
    ui.ChooseRow(IDC_ADMIN_LIST, 0);
    ui.Click(IDC_ADMIN_COPY);
    EXPECT_FALSE(ui.IsEnabled(IDC_ADMIN_PASTE));
  });
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"There is no available action in clipboard");
  EXPECT_EQ(fakes.messageBoxes.shown[1].text, L"Error in clipboard handling");
  EXPECT_THAT(Captions(), ElementsAre(L"Vendrel", L"Vendrel"));
  EXPECT_EQ(list.size(), 5u);
}

TEST_F(AdministrateActionsTest, SavedSelectionLoadsBackTwiceUnderTheSameNames) {
  for (int i = 0; i < 3; ++i) answerer.QueueFile(File("three.acn"));
  Administer([&](ScriptedSurface& ui) {
    ui.ChooseRows(IDC_ADMIN_LIST, {4, 0, 2});
    ui.Click(IDC_ADMIN_SAVE);
    ui.Click(IDC_ADMIN_LOAD);
    ui.Click(IDC_ADMIN_LOAD);
    ui.Ok();
  });
  const auto& asked = answerer.FileDialogs();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].kind, platform::FileDialogKind::kSave);
  EXPECT_EQ(asked[0].flags, 0x6u) << "overwrite prompt, read-only box hidden";
  EXPECT_EQ(asked[1].kind, platform::FileDialogKind::kOpen);
  EXPECT_EQ(asked[1].flags, 0x1004u) << "file must exist, read-only box hidden";
  EXPECT_EQ(asked[1].defaultExtension, L"acn");
  EXPECT_EQ(asked[1].filter, kActionFileFilter);
  EXPECT_THAT(Names(), ElementsAre(L"Zero", L"One", L"Two", L"Three", L"Four", L"Zero", L"Two",
                                   L"Four", L"Zero", L"Two", L"Four"));
  EXPECT_EQ(list[5]->actionId, 107);
  EXPECT_EQ(list[10]->actionId, 112);
  EXPECT_TRUE(list[7]->changedMark);
}

TEST_F(AdministrateActionsTest, BadFilesAreToldAndLoseNothingAlreadyListed) {
  const std::wstring all = File("all.acn");
  answerer.QueueFile(all);
  Administer([&](ScriptedSurface& ui) {
    ui.ChooseRows(IDC_ADMIN_LIST, {0, 1});
    ui.Click(IDC_ADMIN_SAVE);
  });
  const std::string bytes = FileText(platform::NativePath(all));
  // The header in other letters, a file cut inside its second action, and no file at all.
  std::string shouting = bytes;
  shouting[4 + 2 * 8] = 'v';  // "vorn" for "Vorn"
  std::ofstream(platform::NativePath(File("case.acn")), std::ios::binary) << shouting;
  std::ofstream(platform::NativePath(File("cut.acn")), std::ios::binary)
      << bytes.substr(0, bytes.size() - 10);
  for (const char* name : {"case.acn", "cut.acn", "missing.acn"}) {
    answerer.QueueFile(File(name));
    Administer([](ScriptedSurface& ui) {
      ui.Click(IDC_ADMIN_LOAD);
      ui.Ok();
    });
  }
  answerer.QueueFile(File("no folder/saved.acn"));
  Administer([](ScriptedSurface& ui) {
    ui.ChooseRow(IDC_ADMIN_LIST, 0);
    ui.Click(IDC_ADMIN_SAVE);
  });
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 4u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"This file is not a valid Kalvano Action file");
  EXPECT_EQ(fakes.messageBoxes.shown[2].text, L"The system cannot find the file specified.");
  EXPECT_EQ(fakes.messageBoxes.shown[3].text, L"The system cannot find the file specified.")
      << "a file that cannot be created";
  EXPECT_THAT(Captions(), ElementsAre(L"Error loading data", L"CArchiveException",
                                      L"Error opening file", L"Error opening file"));
  EXPECT_THAT(Names(), ElementsAre(L"Zero", L"One", L"Two", L"Three", L"Four", L"Zero"))
      << "the cut file's first action stays";
}

// A write that fails on the way leaves the old file as it was; an action that cannot be stored
// stops a copy before the clipboard is touched.
TEST_F(AdministrateActionsTest, SaveAndCopyFailuresAreTold) {
  const std::wstring saved = File("saved.acn");
  std::ofstream(platform::NativePath(saved), std::ios::binary) << "old";
  answerer.QueueFile(saved);
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{16, limit.rlim_max};
  const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
  Administer([&](ScriptedSurface& ui) {
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ui.ChooseRow(IDC_ADMIN_LIST, 0);
    ui.Click(IDC_ADMIN_SAVE);
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  signal(SIGXFSZ, oldSignal);
  EXPECT_EQ(FileText(platform::NativePath(saved)), "old");

  list.front()->commands.push_back(
      std::make_unique<test::ProbeCmd>(test::ProbeCmd::kUnwritableType, list.front().get()));
  Administer([](ScriptedSurface& ui) {
    ui.ChooseRow(IDC_ADMIN_LIST, 0);
    ui.Click(IDC_ADMIN_COPY);
  });
  EXPECT_TRUE(fakes.clipboard.formats.empty());
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"The disk is full while accessing " + saved + L".");
  EXPECT_EQ(fakes.messageBoxes.shown[1].text, L"Error creating archive");
  EXPECT_EQ(fakes.messageBoxes.shown[1].style, platform::mb::kIconError);
  EXPECT_THAT(Captions(), ElementsAre(L"CFileException", L""));
}

}  // namespace
}  // namespace vendrel::admin
