// The set-card-variables editor through its presenter: what it shows, enables and checks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/vault/CmdSetCardVar.h"
#include "tests/cards/CardFixture.h"

namespace vendrel::commands::testing {
namespace {

using platform::ScriptedSurface;
using ::testing::ElementsAre;
using Fields = CmdSetCardVar::Fields;

constexpr std::int32_t kSelectedFile = 441, kFileWithPath = 442, kFolderWithPath = 443;
constexpr std::int32_t kFilePath = 444, kFolderPath = 445, kFileMenu = 447, kFolderMenu = 456;
constexpr std::int32_t kVariable = 457, kConfigurations = 450, kValue = 273;

class CardEditorTest : public CardFixture {
 protected:
  std::unique_ptr<CmdSetCardVar> Make(Fields fields) {
    auto command = vendrel::testing::MakeCommand<CmdSetCardVar>(action, fakes.services);
    command->SetVault(alice.Get());
    command->Assign(std::move(fields));
    return command;
  }
  std::vector<std::wstring> Refusals() const {
    std::vector<std::wstring> texts;
    for (const auto& box : answers.Boxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(CardEditorTest, OpensOnTheStoredVariableAndEnablesThePathOfItsKind) {
  auto command = Make({.itemKind = CmdSetCardVar::kFolderWithPath,
                       .folderPath = L"C:\\Vault\\Parts",
                       .configurations = {L"Default", L"Large"},
                       .value = L"12",
                       .variableName = L"Teeth",
                       .variableType = 2});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(kVariable), ElementsAre(L"Description", L"Teeth", L"Approved", L"Due"));
    EXPECT_EQ(ui.ItemData(kVariable, 3), 5);
    EXPECT_EQ(ui.ItemIcon(kVariable), 436);
    EXPECT_EQ(ui.SelectedItem(kVariable), 1);
    EXPECT_EQ(ui.TextLimit(kValue), 260);
    EXPECT_EQ(ui.Text(kConfigurations), L"Default\r\nLarge");
    EXPECT_TRUE(ui.IsChecked(kFolderWithPath));
    EXPECT_TRUE(ui.IsEnabled(kFolderPath));
    EXPECT_TRUE(ui.IsEnabled(kFolderMenu));
    EXPECT_FALSE(ui.IsEnabled(kFilePath));
    EXPECT_FALSE(ui.IsEnabled(kFileMenu));

    // A radio click enables its own path and clears the others.
    ui.Check(kFileWithPath, true);
    EXPECT_TRUE(ui.IsEnabled(kFilePath));
    EXPECT_FALSE(ui.IsEnabled(kFolderPath));
    EXPECT_EQ(ui.Text(kFolderPath), L"");
    ui.Check(kSelectedFile, true);
    EXPECT_FALSE(ui.IsEnabled(kFilePath));
    EXPECT_FALSE(ui.IsEnabled(kFolderPath));
    ui.Cancel();
  });
  EXPECT_FALSE(command->Edit(0));
  EXPECT_EQ(command->Values().folderPath, L"C:\\Vault\\Parts");

  // An empty stored name takes the first variable; a name whose type changed selects nothing.
  auto fresh = Make({});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.SelectedItem(kVariable), 0);
    ui.Ok();
  });
  EXPECT_TRUE(fresh->Edit(0));
  EXPECT_EQ(fresh->Values().variableName, L"Description");
  EXPECT_EQ(fresh->Values().variableType, 1);
  EXPECT_EQ(fresh->Summary(), L"Variables ...");
  auto retyped = Make({.variableName = L"Teeth", .variableType = 1});
  dialogs.Queue([](ScriptedSurface& ui) { EXPECT_EQ(ui.SelectedItem(kVariable), -1); });
  retyped->Edit(0);
}

TEST_F(CardEditorTest, OkChecksPathsThenTheValueAgainstTheVariablesType) {
  auto command = Make({.variableName = L"Teeth", .variableType = 2});
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Check(kFileWithPath, true);
    ui.Type(kValue, L"twelve");
    ui.Ok();
    ui.Type(kFilePath, L"  C:\\Vault\\gear.txt ");
    ui.Ok();
    EXPECT_FALSE(ui.Result()) << "refused twice";
    ui.Type(kValue, L"%Count% teeth");  // known only when the command runs
    ui.Type(kConfigurations, L"\r\n  Large \r\n\r\nDefault\r\n");
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_THAT(Refusals(), ElementsAre(L"You must enter a path to the target file.",
                                      L"Error, value entered doesn't match target variable type."));
  EXPECT_EQ(answers.Boxes()[0].style, platform::mb::kIconError);
  EXPECT_EQ(command->Values(), (Fields{.itemKind = CmdSetCardVar::kFileWithPath,
                                       .filePath = L"C:\\Vault\\gear.txt",
                                       .configurations = {L"Large", L"Default"},
                                       .value = L"%Count% teeth",
                                       .variableName = L"Teeth",
                                       .variableType = 2}));

  auto folder = Make({.itemKind = CmdSetCardVar::kFolderWithPath});
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Choose(kVariable, L"Due");
    ui.Type(kValue, L"3/5/2024");
    ui.Ok();
    ui.Type(kFolderPath, L"C:\\Vault");
    ui.Ok();
  });
  EXPECT_TRUE(folder->Edit(0));
  EXPECT_EQ(answers.Boxes().back().text, L"You must enter a path to the target folder.");
  EXPECT_EQ(folder->Values().variableType, 5);
}

TEST_F(CardEditorTest, WithoutAVaultTheListStaysEmptyAfterAnUnexpectedError) {
  auto command = vendrel::testing::MakeCommand<CmdSetCardVar>(action, fakes.services);
  dialogs.Queue([](ScriptedSurface& ui) { EXPECT_EQ(ui.ItemCount(kVariable), 0); });
  command->Edit(0);
  ASSERT_EQ(answers.Boxes().size(), 1u);
  EXPECT_EQ(answers.Boxes()[0].text, L"Unexpected error.");
  EXPECT_EQ(answers.Boxes()[0].style, platform::mb::kIconExclamation);
}

}  // namespace
}  // namespace vendrel::commands::testing
