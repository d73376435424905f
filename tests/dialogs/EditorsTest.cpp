// The editors of labels, jumps and variables and the insertion controls, driven as a person would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "commands/core/CJumpDlgRes.h"
#include "commands/core/CLabelDlgRes.h"
#include "commands/core/CSetVariablesDlgRes.h"
#include "commands/core/CVariableComboBox.h"
#include "commands/core/CmdJump.h"
#include "commands/core/CmdLabel.h"
#include "commands/core/CmdSetVar.h"
#include "commands/core/LabelList.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/Commands.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::ScriptedSurface;
using ::testing::ElementsAre;

class EditorsTest : public ::testing::Test {
 protected:
  EditorsTest() { fakes.services.dialogs = &dialogs; }

  template <class Kind>
  std::unique_ptr<Kind> Make() {
    auto command = testing::MakeCommand<Kind>(action, fakes.services);
    command->SetVault(vault.Get());
    command->SetLabels(&labels);
    return command;
  }
  void Define(const std::wstring& name, Variable::VariableType type, const std::wstring& value = {},
              const std::wstring& extra = {}) {
    action.variables.push_back(std::make_unique<Variable>(name, type, value, extra));
  }
  std::vector<std::wstring> VariableNames() const {
    std::vector<std::wstring> names;
    for (const auto& variable : action.variables) names.push_back(variable->name);
    return names;
  }

  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  testing::StrictDialogRunner dialogs{&fakes.messageBoxes};
  actions::Action action;
  LabelList labels;
};

TEST_F(EditorsTest, TheLabelEditorTakesAnyNameAndOffersNewOnesToJumps) {
  auto label = Make<CmdLabel>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_LABEL_NAME), L"");
    ui.Type(IDC_LABEL_NAME, L"Retry");
    ui.Ok();
  });
  EXPECT_TRUE(label->Edit(0));
  EXPECT_EQ(label->Summary(), L"Retry");

  auto twin = Make<CmdLabel>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_LABEL_NAME, L"Retry");
    ui.Ok();
  });
  EXPECT_TRUE(twin->Edit(0)) << "a name another label has is accepted";
  EXPECT_THAT(labels.Names(), ElementsAre(L"Retry")) << "but listed once";

  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_LABEL_NAME), L"Retry");
    ui.Type(IDC_LABEL_NAME, L"Changed");
    ui.Cancel();
  });
  EXPECT_FALSE(label->Edit(0));
  EXPECT_EQ(label->Summary(), L"Retry");

  CmdLabel noDialogs(&action);
  EXPECT_FALSE(noDialogs.Edit(0)) << "without a dialog runner nothing can be edited";
}

TEST_F(EditorsTest, ANewJumpShowsAlwaysAndTheLabelsOfTheAction) {
  labels.Add(L"beta");
  labels.Add(L"Alpha");
  auto jump = Make<CmdJump>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsChecked(IDC_JUMP_ALWAYS));
    for (int id = IDC_JUMP_EQUALS; id <= IDC_JUMP_VAULT; ++id) EXPECT_FALSE(ui.IsChecked(id));
    EXPECT_TRUE(ui.IsEnabled(IDC_JUMP_VALUE));
    EXPECT_FALSE(ui.IsChecked(IDC_JUMP_MATCH_CASE)) << "a new jump ignores case";
    EXPECT_THAT(ui.Items(IDC_JUMP_LABEL), ElementsAre(L"Alpha", L"beta"));
    EXPECT_EQ(ui.SelectedItem(IDC_JUMP_LABEL), -1);
    ui.Choose(IDC_JUMP_LABEL, L"beta");
    ui.Ok();
  });
  EXPECT_TRUE(jump->Edit(0));
  EXPECT_EQ(jump->Condition().op, JumpCondition::kAlways);
  EXPECT_EQ(jump->Summary(), L"IF  ALWAYS  THEN GOTO beta");
}

TEST_F(EditorsTest, TheTwoRadioGroupsActAsOneAndTheExistenceTestsTakeNoValue) {
  auto jump = Make<CmdJump>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_JUMP_VALUE, L"abc");
    ui.Check(IDC_JUMP_MATCH_CASE, true);
    ui.Check(IDC_JUMP_GREATER, true);
    EXPECT_FALSE(ui.IsChecked(IDC_JUMP_ALWAYS));
    ui.Check(IDC_JUMP_VAULT, true);
    EXPECT_FALSE(ui.IsChecked(IDC_JUMP_GREATER)) << "the second group clears the first";
    EXPECT_FALSE(ui.IsEnabled(IDC_JUMP_VALUE));
    EXPECT_FALSE(ui.IsEnabled(IDC_JUMP_VALUE_MENU));
    EXPECT_FALSE(ui.IsEnabled(IDC_JUMP_MATCH_CASE));
    EXPECT_EQ(ui.Text(IDC_JUMP_VALUE), L"");
    EXPECT_FALSE(ui.IsChecked(IDC_JUMP_MATCH_CASE));
    ui.Check(IDC_JUMP_LOCAL, true);
    EXPECT_FALSE(ui.IsChecked(IDC_JUMP_VAULT));
    ui.Check(IDC_JUMP_NOT_EQUAL, true);
    EXPECT_FALSE(ui.IsChecked(IDC_JUMP_LOCAL)) << "the first group clears the second";
    EXPECT_TRUE(ui.IsEnabled(IDC_JUMP_VALUE));
    EXPECT_TRUE(ui.IsEnabled(IDC_JUMP_MATCH_CASE));
    ui.Type(IDC_JUMP_VARIABLE, L"%State%");
    ui.Type(IDC_JUMP_VALUE, L"Released");
    ui.Type(IDC_JUMP_LABEL, L"typed label");
    ui.Ok();
  });
  ASSERT_TRUE(jump->Edit(0));
  EXPECT_EQ(jump->Condition().op, JumpCondition::kNotEqual);
  EXPECT_EQ(jump->Condition().label, L"typed label") << "the combo box takes any text";
  EXPECT_EQ(jump->Summary(), L"IF %State% != Released NO_CASE THEN GOTO typed label");
}

TEST_F(EditorsTest, AnExistenceJumpOpensWithItsValueDisabledAndShowsItsLabelExactly) {
  labels.Add(L"end");
  auto jump = Make<CmdJump>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_JUMP_VARIABLE, L"C:\\Out");
    ui.Check(IDC_JUMP_LOCAL, true);
    ui.Type(IDC_JUMP_LABEL, L"End");
    ui.Ok();
  });
  ASSERT_TRUE(jump->Edit(0));
  const std::wstring summary = jump->Summary();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsChecked(IDC_JUMP_LOCAL));
    EXPECT_FALSE(ui.IsEnabled(IDC_JUMP_VALUE));
    EXPECT_FALSE(ui.IsEnabled(IDC_JUMP_MATCH_CASE));
    EXPECT_EQ(ui.Text(IDC_JUMP_VARIABLE), L"C:\\Out");
    EXPECT_EQ(ui.Text(IDC_JUMP_LABEL), L"End") << "not the list's end, which differs in case";
    EXPECT_THAT(ui.Items(IDC_JUMP_LABEL), ElementsAre(L"end", L"End"));
    ui.Cancel();
  });
  EXPECT_FALSE(jump->Edit(0));
  EXPECT_EQ(jump->Summary(), summary);
  EXPECT_EQ(jump->Condition().label, L"End");
}

TEST_F(EditorsTest, InsertionReplacesTheSelectionAndPutsTheCaretAfterIt) {
  auto jump = Make<CmdJump>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_JUMP_VARIABLE, L"abc");
    ui.SetSelection(IDC_JUMP_VARIABLE, {1, 2});
    ui.AnswerMenu(Variable::kLoggedInUser);
    ui.Click(IDC_JUMP_VARIABLE_MENU);
    EXPECT_EQ(ui.Text(IDC_JUMP_VARIABLE), L"a%NameOfLoggedInUser%c");
    EXPECT_EQ(ui.Selection(IDC_JUMP_VARIABLE), (platform::EditSelection{21, 21}));
    EXPECT_EQ(ui.Focused(), IDC_JUMP_VARIABLE);
    ASSERT_EQ(ui.Menus().size(), 1u);
    EXPECT_EQ(ui.Menus()[0].anchor, IDC_JUMP_VARIABLE_MENU);

    ui.AnswerMenu(17);  // CurrentTime, whose percent signs stay doubled
    ui.Click(IDC_JUMP_VALUE_MENU);
    EXPECT_EQ(ui.Text(IDC_JUMP_VALUE), L"CurrentTime(%%Y-%%m-%%d %%H:%%M:%%S)");
    ui.Click(IDC_JUMP_VALUE_MENU);  // closed without a choice
    EXPECT_EQ(ui.Text(IDC_JUMP_VALUE), L"CurrentTime(%%Y-%%m-%%d %%H:%%M:%%S)");
  });
  jump->Edit(0);
}

const platform::MenuItem* Submenu(const platform::Menu& menu, const std::wstring& text) {
  for (const auto& item : menu) {
    if (item.kind == platform::MenuItem::Kind::kSubmenu && item.text == text) return &item;
  }
  return nullptr;
}

std::vector<std::wstring> Texts(const platform::MenuItem& submenu) {
  std::vector<std::wstring> texts;
  for (const auto& item : submenu.items)
    texts.push_back(item.kind == platform::MenuItem::Kind::kSeparator ? L"-" : item.text);
  return texts;
}

TEST_F(EditorsTest, UserVariablesOfTheMenuAndEditVariablesThere) {
  auto jump = Make<CmdJump>();
  dialogs.Queue([this](ScriptedSurface& ui) {
    ui.Click(IDC_JUMP_VARIABLE_MENU);
    const auto* user = Submenu(ui.Menus().back().menu, L"User Variables");
    ASSERT_NE(user, nullptr);
    EXPECT_THAT(Texts(*user), ElementsAre(L"Edit Variables...")) << "no separator before it";

    Define(L"Size", Variable::kStaticText, L"10");
    // Renamed in the variable editor opened from the menu; the new name is offered at once.
    ui.AnswerMenu(CMenuButton::kEditVariables);
    ui.Click(IDC_JUMP_VARIABLE_MENU);
    ui.AnswerMenu(CMenuButton::kFirstListed);
    ui.Click(IDC_JUMP_VARIABLE_MENU);
    EXPECT_EQ(ui.Text(IDC_JUMP_VARIABLE), L"%Length%");
    const auto* after = Submenu(ui.Menus().back().menu, L"User Variables");
    ASSERT_NE(after, nullptr);
    EXPECT_THAT(Texts(*after), ElementsAre(L"Length", L"-", L"Edit Variables..."));
  });
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.ChooseRow(IDC_SETVAR_LIST, 0);
    ui.Type(IDC_SETVAR_NAME, L"Length");
    ui.Ok();
  });
  jump->Edit(0);
  EXPECT_THAT(VariableNames(), ElementsAre(L"Length"));
}

TEST_F(EditorsTest, TheVariableEditorShowsOneRowPerVariableAndWritesThemBackOnOk) {
  Define(L"Size", Variable::kStaticText, L"10");
  Define(L"Material", Variable::kCardValue, L"Material", L"Default");
  auto editor = Make<CmdSetVar>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Columns(IDC_SETVAR_LIST), ElementsAre(L"Name", L"Type", L"Value", L"Extra"));
    EXPECT_THAT(ui.ColumnWidths(IDC_SETVAR_LIST), ElementsAre(100, 150, 170, 0));
    ASSERT_EQ(ui.RowCount(IDC_SETVAR_LIST), 2);
    EXPECT_EQ(ui.Cell(IDC_SETVAR_LIST, 1, 1), L"Variable value from selected file(s) datacard");
    EXPECT_EQ(ui.RowData(IDC_SETVAR_LIST, 1), Variable::kCardValue);
    EXPECT_EQ(ui.ItemCount(IDC_SETVAR_TYPE), 20);
    EXPECT_FALSE(ui.IsEnabled(IDC_SETVAR_NAME)) << "nothing to edit before a row is chosen";

    ui.ChooseRow(IDC_SETVAR_LIST, 1);
    EXPECT_EQ(ui.Text(IDC_SETVAR_NAME), L"Material");
    EXPECT_FALSE(ui.IsShown(IDC_SETVAR_VALUE));
    EXPECT_TRUE(ui.IsShown(IDC_SETVAR_CARD));
    EXPECT_TRUE(ui.IsEnabled(IDC_SETVAR_EXTRA));
    EXPECT_EQ(ui.Text(IDC_SETVAR_EXTRA_LABEL), L"Configuration");
    ui.Type(IDC_SETVAR_EXTRA, L"Long");

    ui.ChooseRow(IDC_SETVAR_LIST, 0);
    EXPECT_EQ(ui.Text(IDC_SETVAR_VALUE_LABEL), L"Value :");
    EXPECT_TRUE(ui.IsShown(IDC_SETVAR_VALUE_MENU));
    EXPECT_FALSE(ui.IsEnabled(IDC_SETVAR_EXTRA));
    EXPECT_EQ(ui.Text(IDC_SETVAR_EXTRA), L"") << "the extra text of the chosen row";
    ui.Choose(IDC_SETVAR_TYPE, L"Name of logged-in user");
    EXPECT_EQ(ui.Cell(IDC_SETVAR_LIST, 0, 2), L"") << "a built-in kind keeps no value";
    EXPECT_FALSE(ui.IsEnabled(IDC_SETVAR_VALUE));
    EXPECT_FALSE(ui.IsShown(IDC_SETVAR_VALUE_MENU));

    ui.Click(IDC_SETVAR_ADD);
    EXPECT_THAT(ui.SelectedRows(IDC_SETVAR_LIST), ElementsAre(2));
    EXPECT_EQ(ui.Text(IDC_SETVAR_NAME), L"New variable");
    EXPECT_EQ(ui.Text(IDC_SETVAR_VALUE), L"New value");
    EXPECT_EQ(ui.Text(IDC_SETVAR_TYPE), L"Static string");
    ui.Type(IDC_SETVAR_NAME, L"Path");
    ui.Choose(IDC_SETVAR_TYPE, L"Value of environment variable");
    EXPECT_EQ(ui.Text(IDC_SETVAR_VALUE_LABEL), L"Environment variable :");
    ui.Type(IDC_SETVAR_VALUE, L"TEMP");
    ui.Ok();
  });
  ASSERT_TRUE(editor->Edit(0));
  EXPECT_EQ(editor->Summary(), L"Variables ...");
  ASSERT_EQ(action.variables.size(), 3u);
  EXPECT_EQ(action.variables[0]->type, Variable::kLoggedInUser);
  EXPECT_EQ(action.variables[0]->value, L"");
  EXPECT_EQ(action.variables[1]->extra, L"Long");
  EXPECT_EQ(action.variables[1]->value, L"Material");
  EXPECT_EQ(action.variables[2]->name, L"Path");
  EXPECT_EQ(action.variables[2]->type, Variable::kEnvironment);
  EXPECT_EQ(action.variables[2]->value, L"TEMP");
}

TEST_F(EditorsTest, OkRefusesANameUsedTwiceOrABuiltInNameAndKeepsTheDialogOpen) {
  Define(L"Size", Variable::kStaticText, L"1");
  Define(L"size", Variable::kStaticText, L"2");
  auto editor = Make<CmdSetVar>();
  dialogs.Queue([this](ScriptedSurface& ui) {
    ui.Ok();
    EXPECT_FALSE(ui.Result());
    ui.ChooseRow(IDC_SETVAR_LIST, 1);
    ui.Type(IDC_SETVAR_NAME, L"currentconfig");
    ui.Ok();
    EXPECT_FALSE(ui.Result());
    EXPECT_THAT(VariableNames(), ElementsAre(L"Size", L"size")) << "nothing written yet";
    ui.Type(IDC_SETVAR_NAME, L"Weight");
    ui.Ok();
  });
  ASSERT_TRUE(editor->Edit(0));
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text,
            L"The variable name 'size' already exists, please rename it.");
  EXPECT_EQ(fakes.messageBoxes.shown[1].text,
            L"The variable name 'currentconfig' already exists as a standard variable, please "
            L"rename it.");
  EXPECT_EQ(fakes.messageBoxes.shown[0].caption, L"Vendrel");
  EXPECT_EQ(fakes.messageBoxes.shown[0].style, platform::mb::kOk | platform::mb::kIconError);
  EXPECT_THAT(VariableNames(), ElementsAre(L"Size", L"Weight"));
}

TEST_F(EditorsTest, TheEditorsOwnButtonOffersTheRowsAsEditedAndTheEnvironment) {
  Define(L"Size", Variable::kStaticText, L"1");
  fakes.environment.values = {{L"PATH", L"/bin"}, {L"TEMP", L"/tmp"}};
  auto editor = Make<CmdSetVar>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Click(IDC_SETVAR_ADD);
    ui.Type(IDC_SETVAR_NAME, L"Unconfirmed");
    ui.Type(IDC_SETVAR_VALUE, L"");
    ui.AnswerMenu(CMenuButton::kFirstListed + 1);
    ui.Click(IDC_SETVAR_VALUE_MENU);
    const auto* user = Submenu(ui.Menus().back().menu, L"User Variables");
    ASSERT_NE(user, nullptr);
    EXPECT_THAT(Texts(*user), ElementsAre(L"Size", L"Unconfirmed")) << "and no Edit Variables";
    EXPECT_EQ(ui.Text(IDC_SETVAR_VALUE), L"%Unconfirmed%");

    ui.Choose(IDC_SETVAR_TYPE, L"Value of environment variable");
    ui.Type(IDC_SETVAR_VALUE, L"");
    ui.AnswerMenu(CMenuButton::kFirstListed);
    ui.Click(IDC_SETVAR_VALUE_MENU);
    const auto& environment = ui.Menus().back().menu;
    ASSERT_EQ(environment.size(), 2u);
    EXPECT_EQ(environment[0].text, L"PATH");
    EXPECT_EQ(ui.Text(IDC_SETVAR_VALUE), L"PATH") << "environment names go in bare";
    ui.Cancel();
  });
  EXPECT_FALSE(editor->Edit(0));
  EXPECT_THAT(VariableNames(), ElementsAre(L"Size", L"Unconfirmed"))
      << "the button wrote the rows back before its menu, and Cancel keeps that";
}

TEST_F(EditorsTest, ResizingKeepsButtonsAtTheRightEdgeAndTheValueBoxBesideTheArrow) {
  auto editor = Make<CmdSetVar>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Place(IDC_SETVAR_ADD, {400, 20, 475, 43});
    ui.Place(platform::kIdOk, {400, 300, 475, 323});
    ui.Place(IDC_SETVAR_VALUE, {20, 260, 300, 280});
    ui.Place(IDC_SETVAR_VALUE_MENU, {310, 260, 330, 280});
    ui.Click(IDC_SETVAR_ADD);
    ui.Resize({600, 500});
    EXPECT_EQ(ui.ControlPos(IDC_SETVAR_ADD), (lexicor::CtrlRect{515, 20, 590, 43}));
    EXPECT_EQ(ui.ControlPos(platform::kIdOk), (lexicor::CtrlRect{515, 417, 590, 440}));
    EXPECT_EQ(ui.ControlPos(IDC_SETVAR_VALUE), (lexicor::CtrlRect{20, 404, 470, 424}));
    EXPECT_EQ(ui.ControlPos(IDC_SETVAR_VALUE_MENU), (lexicor::CtrlRect{475, 404, 495, 424}));
    ui.Choose(IDC_SETVAR_TYPE, L"Value of registry variable");
    EXPECT_EQ(ui.ControlPos(IDC_SETVAR_VALUE)->right, 495) << "no arrow: the box grows";
  });
  editor->Edit(0);
}

TEST_F(EditorsTest, TheVariableComboBoxListsRuntimeVariablesAndKeepsAnUnknownName) {
  Define(L"Answer", Variable::kRuntime);
  Define(L"Static", Variable::kStaticText);
  Define(L"Choice", Variable::kRuntime);

  class ComboDialog : public platform::Dialog {
   public:
    ComboDialog(const actions::Action& action, std::wstring selected)
        : action_(action), selected_(std::move(selected)) {}
    std::int32_t TemplateId() const override { return 1; }

   protected:
    void OnInit() override { combo_.Fill(Ui(), &action_, selected_, Variable::kRuntime, false); }

   private:
    const actions::Action& action_;
    std::wstring selected_;
    CVariableComboBox combo_{300};
  };

  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(300), ElementsAre(L"Answer", L"Choice"));
    EXPECT_EQ(ui.Text(300), L"Choice") << "found regardless of case";
  });
  ComboDialog known(action, L"choice");
  dialogs.Run(known, 0);
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(300), ElementsAre(L"Answer", L"Choice", L"Gone"));
    EXPECT_EQ(ui.SelectedItem(300), 2);
  });
  ComboDialog unknown(action, L"Gone");
  dialogs.Run(unknown, 0);
  dialogs.Queue([](ScriptedSurface& ui) { EXPECT_EQ(ui.SelectedItem(300), -1); });
  ComboDialog none(action, L"");
  dialogs.Run(none, 0);
}

}  // namespace
}  // namespace vendrel::commands
