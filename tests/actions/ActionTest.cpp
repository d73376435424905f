// Action defaults, the path-pattern matcher, the activation tests and the menu order.
#include "actions/Action.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "actions/ActionData.h"
#include "tests/support/FakeVault.h"

namespace vendrel::actions {
namespace {

using testing::FakeVault;

class PathPatternTest : public ::testing::Test {
 protected:
  bool Matches(const std::wstring& pattern, const std::wstring& path) {
    return MatchesPathPattern(pattern, path, run);
  }

  host::Ref<FakeVault> vault = host::MakeRef<FakeVault>();
  DocumentLists lists;
  ActionData run{0, vault, lists};
};

TEST_F(PathPatternTest, WildcardsIgnoreCaseAndCoverEmptyRuns) {
  EXPECT_TRUE(Matches(L"%", L"C:\\Vault\\A\\B.TXT"));
  EXPECT_TRUE(Matches(L"%.txt", L"C:\\Vault\\A\\B.TXT"));
  EXPECT_TRUE(Matches(L"%\\A\\%", L"c:\\vault\\a\\b.txt"));
  EXPECT_TRUE(Matches(L"ab%", L"abc"));
  EXPECT_TRUE(Matches(L"ab%", L"ab"));
  EXPECT_TRUE(Matches(L"a%b%c", L"aXbYc"));
  EXPECT_TRUE(Matches(L"%%x", L"yx"));
  EXPECT_FALSE(Matches(L"ab", L"abc"));
  EXPECT_FALSE(Matches(L"abc", L"ab"));
  EXPECT_FALSE(Matches(L"%.txt", L"C:\\Vault\\A\\B.doc"));
  EXPECT_FALSE(Matches(L"x%", L"C:\\Vault\\x.txt"));
}

TEST_F(PathPatternTest, OnlyTheFirstOccurrenceAfterAWildcardIsTried) {
  EXPECT_FALSE(Matches(L"%abc", L"xabcyabc"));
  EXPECT_TRUE(Matches(L"%abc%", L"xabcyabc"));
  EXPECT_FALSE(Matches(L"%.txt", L"C:\\Vault\\a.txt\\b.txt"));
}

TEST_F(PathPatternTest, PatternsWithAndWithoutTheVaultRootMatchTheSamePaths) {
  const std::wstring paths[] = {L"C:\\Vault\\Parts\\p1.prt", L"C:\\Vault\\Docs\\p1.prt",
                                L"C:\\Other\\Parts\\p1.prt", L"\\Parts\\x.prt"};
  for (const auto& path : paths) {
    EXPECT_EQ(Matches(L"C:\\VAULT\\Parts\\%", path), Matches(L"\\Parts\\%", path)) << path;
  }
  EXPECT_TRUE(Matches(L"c:\\vault\\parts\\%", L"C:\\Vault\\Parts\\p1.prt"));
  EXPECT_FALSE(Matches(L"\\Parts\\%", L"C:\\Vault\\Docs\\p1.prt"));
}

TEST_F(PathPatternTest, TheRootItselfMatchesEveryPath) {
  EXPECT_TRUE(Matches(L"c:\\VAULT", L"C:\\Vault\\A\\b.txt"));
  EXPECT_TRUE(Matches(L"C:\\Vault", L"D:\\elsewhere.txt"));
}

TEST_F(PathPatternTest, AnUnreachableRootFailsEveryPatternButTheEmptyOne) {
  vault->rootResult = host::kNotLoggedIn;
  EXPECT_TRUE(Matches(L"", L"C:\\Vault\\a.txt"));
  EXPECT_FALSE(Matches(L"%", L"C:\\Vault\\a.txt"));

  DocumentLists noLists;
  ActionData noVault(0, nullptr, noLists);
  EXPECT_TRUE(MatchesPathPattern(L"", L"a.txt", noVault));
  EXPECT_FALSE(MatchesPathPattern(L"%", L"a.txt", noVault));
}

TEST(ActionTest, NewActionHasTheDocumentedDefaults) {
  const Action action;
  EXPECT_TRUE(action.stateChangeAfter);
  EXPECT_TRUE(action.checkOutAfter);
  EXPECT_TRUE(action.addAfter);
  EXPECT_FALSE(action.vetoMark);
  EXPECT_FALSE(action.refreshMark);
  EXPECT_FALSE(action.removedMark);
  EXPECT_FALSE(action.changedMark);
  EXPECT_EQ(action.activationKinds, 0);
  EXPECT_EQ(action.checkOutKind, kCheckOutNone);
  EXPECT_TRUE(action.commands.empty());
  EXPECT_EQ(Variable().type, Variable::kNoKind);
}

class ActivationTest : public PathPatternTest {
 protected:
  ItemPaths Paths(std::span<const std::wstring> paths) const { return ItemPaths(paths, run); }
  ItemPaths Path(const std::wstring& path) const { return Paths(std::span(&path, 1)); }

  Action action;
};

TEST_F(ActivationTest, MenuCommandComparesTheActionIdOnly) {
  action.actionId = 105;
  EXPECT_TRUE(action.QualifiesForMenu(105));
  EXPECT_FALSE(action.QualifiesForMenu(104));
}

TEST_F(ActivationTest, StateChangeNeedsKindTimingStateAndPath) {
  action.activationKinds = kActivateOnStateChange;
  action.stateChangeAfter = false;
  action.stateId = 7;
  action.stateChangePath = L"%.prt";
  EXPECT_TRUE(action.QualifiesForStateChange(false, 7, Path(L"C:\\Vault\\a.prt")));
  EXPECT_FALSE(action.QualifiesForStateChange(true, 7, Path(L"C:\\Vault\\a.prt")));
  EXPECT_FALSE(action.QualifiesForStateChange(false, 8, Path(L"C:\\Vault\\a.prt")));
  EXPECT_FALSE(action.QualifiesForStateChange(false, 7, Path(L"C:\\Vault\\a.drw")));
  EXPECT_FALSE(action.QualifiesForStateChange(false, 7, Path(L"")));
  action.activationKinds = kActivateByMenu | kActivateOnCheckOut;
  EXPECT_FALSE(action.QualifiesForStateChange(false, 7, Path(L"C:\\Vault\\a.prt")));
}

TEST_F(ActivationTest, CheckOutFamilyNeedsItsKindAndOneMatchingPath) {
  action.activationKinds = kActivateOnCheckOut;
  action.checkOutKind = kCheckIn;
  action.checkOutPath = L"\\Parts\\%";
  const std::vector<std::wstring> paths = {L"C:\\Vault\\Docs\\a.doc", L"C:\\Vault\\Parts\\b.prt"};
  EXPECT_TRUE(action.QualifiesForCheckOut(true, kCheckIn, Paths(paths)));
  EXPECT_FALSE(action.QualifiesForCheckOut(true, kCheckOut, Paths(paths)));
  EXPECT_FALSE(action.QualifiesForCheckOut(false, kCheckIn, Paths(paths)));
  EXPECT_FALSE(action.QualifiesForCheckOut(true, kCheckIn, Paths(std::span(paths).first(1))));

  // A kind never chosen in the condition dialog matches no notification.
  action.checkOutKind = kCheckOutNone;
  for (std::int32_t kind : {kCheckOut, kCheckIn, kUndoCheckOut}) {
    EXPECT_FALSE(action.QualifiesForCheckOut(true, kind, Paths(paths)));
  }
}

TEST_F(ActivationTest, AddNeedsItsKindTimingAndOneMatchingPath) {
  action.activationKinds = kActivateOnAdd;
  const std::vector<std::wstring> paths = {L"C:\\Vault\\new.txt"};
  EXPECT_TRUE(action.QualifiesForAdd(true, Paths(paths)));
  EXPECT_FALSE(action.QualifiesForAdd(false, Paths(paths)));
  action.addPath = L"%.doc";
  EXPECT_FALSE(action.QualifiesForAdd(true, Paths(paths)));
  action.activationKinds = kActivateOnStateChange;
  action.addPath.clear();
  EXPECT_FALSE(action.QualifiesForAdd(true, Paths(paths)));
}

std::vector<std::wstring> SortedMenuTexts(std::initializer_list<const wchar_t*> texts) {
  std::vector<std::unique_ptr<Action>> actions;
  for (const wchar_t* text : texts) {
    actions.push_back(std::make_unique<Action>());
    actions.back()->menuText = text;
  }
  SortByMenuText(actions);
  std::vector<std::wstring> sorted;
  for (const auto& action : actions) sorted.push_back(action->menuText);
  return sorted;
}

TEST(MenuTextOrderTest, GroupsFirstThenPlainTextsDescending) {
  EXPECT_EQ(SortedMenuTexts({L"b", L"a", L"x\\2", L"x\\1", L"y\\1"}),
            (std::vector<std::wstring>{L"y\\1", L"x\\1", L"x\\2", L"b", L"a"}));
}

TEST(MenuTextOrderTest, CaseIsIgnoredInGroupsAndTexts) {
  EXPECT_EQ(SortedMenuTexts({L"B", L"c", L"Tools\\b", L"TOOLS\\A", L"a"}),
            (std::vector<std::wstring>{L"TOOLS\\A", L"Tools\\b", L"c", L"B", L"a"}));
}

}  // namespace
}  // namespace vendrel::actions
