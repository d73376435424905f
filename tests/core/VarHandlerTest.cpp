// Expansion of variable references against a fake vault and fake platform services.
#include "commands/core/VarHandler.h"

#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/RunObserver.h"
#include "platform/Ansi.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

using actions::Variable;

// One document, a.prt (id 20), in the vault folder \Parts (id 10), which is also the folder of
// the notification.
class VarHandlerTest : public ::testing::Test {
 protected:
  VarHandlerTest() {
    vault->AddFolder(10, L"\\Parts");
    file = vault->AddFile(20, L"a.prt", 10);
    lists.names = {L"a.prt"};
    lists.ids = {20};
    lists.selected = {true};
    lists.folderIds = {10};
    run.ResetCursors();
    run.notificationFolderId = 10;
    run.currentAction = &action;
  }

  void Define(const std::wstring& name, Variable::VariableType type, const std::wstring& value = {},
              const std::wstring& extra = {}) {
    action.variables.push_back(std::make_unique<Variable>(name, type, value, extra));
  }
  std::wstring Expand(const std::wstring& text, bool doubleAmpersands = false) {
    return VarHandler(run).Expand(text, doubleAmpersands);
  }

  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  host::Ref<testing::FakeFile> file;
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{0, vault, lists, &fakes.services};
  actions::Action action;
};

TEST_F(VarHandlerTest, PercentSignsAndReferences) {
  Define(L"x", Variable::kStaticText, L"1");
  Define(L"y", Variable::kStaticText, L"2");
  EXPECT_EQ(Expand(L"100%%"), L"100%");
  EXPECT_EQ(Expand(L"a%b"), L"a%b");
  EXPECT_EQ(Expand(L"%x%%y%"), L"12");
  EXPECT_EQ(Expand(L"%x%+%x%=%y%"), L"1+1=2");
  EXPECT_EQ(Expand(L"%x% is 50% off"), L"1 is 50% off");
  EXPECT_EQ(Expand(L"no references"), L"no references");
}

TEST_F(VarHandlerTest, VariableValuesAreExpandedInTurnWithTheirOwnFunction) {
  Define(L"outer", Variable::kStaticText, L"<%inner%>");
  Define(L"inner", Variable::kStaticText, L"%CurrentConfig%!");
  Define(L"short", Variable::kStaticText, L"LEFT(abcdef,2)");
  run.currentConfiguration = L"Default";
  EXPECT_EQ(Expand(L"%outer%"), L"<Default!>");
  EXPECT_EQ(Expand(L"[%short%]"), L"[ab]");
  EXPECT_EQ(Expand(L"%short% LEN(xyz)"), L"ab 3");
}

// Hears the expansions only.
class ExpansionLog : public actions::RunObserver {
 public:
  void RunStarted(const actions::Action&, const actions::ActionData&) override {}
  void RunEnded(const actions::Action&, const actions::ActionData&, bool) override {}
  void CommandStarted(const Cmd&, std::size_t, const actions::ActionData&) override {}
  void CommandEnded(const Cmd&, std::size_t, bool, const actions::ActionData&) override {}
  void TextExpanded(const std::wstring& text, const std::wstring& expanded) override {
    heard.emplace_back(text, expanded);
  }
  void MarkSet(actions::ActionMark, const actions::Action&, std::size_t) override {}

  std::vector<std::pair<std::wstring, std::wstring>> heard;
};

TEST_F(VarHandlerTest, AnObserverHearsEachTextOnceWithItsFinalValue) {
  Define(L"outer", Variable::kStaticText, L"<%inner%>");
  Define(L"inner", Variable::kStaticText, L"LEFT(abc,1)");
  ExpansionLog observer;
  run.observer = &observer;
  EXPECT_EQ(Expand(L"%outer% %NameOfSelectedFile%"), L"<a> a.prt");
  ASSERT_EQ(observer.heard.size(), 1u);
  EXPECT_EQ(observer.heard[0].first, L"%outer% %NameOfSelectedFile%");
  EXPECT_EQ(observer.heard[0].second, L"<a> a.prt");
}

TEST_F(VarHandlerTest, PercentPairsReachTheTimeFunction) {
  EXPECT_EQ(Expand(L"CURRENTTIME(%%Y%%m%%d-%%H%%M)"), L"20240305-1407");
}

TEST_F(VarHandlerTest, SelfReferenceStopsAtTheNestingBound) {
  Define(L"A", Variable::kStaticText, L"x%A%");
  EXPECT_EQ(Expand(L"%A%"), std::wstring(VarHandler::kMaxNesting, L'x') + L"%A%");

  Define(L"P", Variable::kStaticText, L"%Q%");
  Define(L"Q", Variable::kStaticText, L"%P%");
  EXPECT_EQ(Expand(L"[%P%]"), L"[%P%]");
  // The bound is per expansion, not per handler: the next text expands fully again.
  Define(L"ok", Variable::kStaticText, L"fine");
  VarHandler handler(run);
  handler.Expand(L"%A%", false);
  EXPECT_EQ(handler.Expand(L"%ok%", false), L"fine");
}

// Four references a level would make 4^16 copies before the depth bound: the expansion ends
// with a bounded text instead of hanging the host.
TEST_F(VarHandlerTest, ValuesThatMultiplyStopGrowingAtTheLengthBound) {
  Define(L"A", Variable::kStaticText, L"%A%%A%%A%%A%");
  EXPECT_LE(Expand(L"<%A%>").size(), VarHandler::kMaxExpandedLength);

  Define(L"many", Variable::kStaticText, std::wstring(20000, L'x'));
  EXPECT_EQ(Expand(L"%many%%many%%many%"), std::wstring(60000, L'x'));
  EXPECT_EQ(Expand(L"%many%%many%%many%%many%"), L"%many%%many%%many%%many%")
      << "what does not fit stays a reference";
}

TEST_F(VarHandlerTest, AmpersandsAreDoubledInSubstitutedValuesOnly) {
  Define(L"dept", Variable::kStaticText, L"R&D");
  EXPECT_EQ(Expand(L"%dept% & co", true), L"R&&D & co");
  EXPECT_EQ(Expand(L"%dept% & co", false), L"R&D & co");
}

TEST_F(VarHandlerTest, UserVariablesComeFirstExceptWithoutAKind) {
  run.currentConfiguration = L"Default";
  Define(L"CurrentConfig", Variable::kNoKind, L"ignored");
  EXPECT_EQ(Expand(L"%CurrentConfig%"), L"Default");
  action.variables.clear();
  Define(L"CurrentConfig", Variable::kStaticText, L"mine");
  Define(L"CurrentConfig", Variable::kStaticText, L"second");
  EXPECT_EQ(Expand(L"%CurrentConfig%"), L"mine");
}

TEST_F(VarHandlerTest, OtherNamesReadTheCardOfTheCurrentDocument) {
  file->card->Set(L"Description", L"Default", std::wstring(L"Bracket"));
  file->card->Set(L"currentconfig", L"Default", std::wstring(L"card value"));
  run.currentConfiguration = L"Default";
  EXPECT_EQ(Expand(L"%Description%"), L"Bracket");
  // Built-in names match case-sensitively; other spellings are card variables.
  EXPECT_EQ(Expand(L"%currentconfig%"), L"card value");
  EXPECT_EQ(Expand(L"%Missing%"), L"N/A");

  run.SetCurrentDocument(std::nullopt);
  EXPECT_EQ(Expand(L"%Description%"), L"N/A");
}

TEST_F(VarHandlerTest, CardVariablesReadTheirOwnOrTheCurrentConfiguration) {
  file->card->Set(L"Weight", L"Large", 12.5);
  file->card->Set(L"Weight", L"Small", std::int32_t{3});
  file->card->Set(L"Made", L"Small", host::Date{45356.0});
  Define(L"large", Variable::kCardValue, L"Weight", L"Large");
  Define(L"current", Variable::kCardValue, L"Weight");
  Define(L"made", Variable::kCardValue, L"Made");
  run.currentConfiguration = L"Small";
  EXPECT_EQ(Expand(L"%large%/%current%/%made%"), L"12.5/3/3/5/2024");
}

TEST_F(VarHandlerTest, TheCardIsFetchedOncePerHandler) {
  file->card->Set(L"A", L"", std::wstring(L"1"));
  file->card->Set(L"B", L"", std::wstring(L"2"));
  VarHandler handler(run);
  EXPECT_EQ(handler.Expand(L"%A%%B%", false), L"12");
  EXPECT_EQ(handler.Expand(L"%A%", false), L"1");
  EXPECT_EQ(file->cardRequests, 1);
  EXPECT_EQ(file->card->reads, 3);

  // A new document means a new card.
  auto other = vault->AddFile(21, L"b.prt", 10);
  other->card->Set(L"A", L"", std::wstring(L"other"));
  lists.names.push_back(L"b.prt");
  lists.ids.push_back(21);
  lists.folderIds.push_back(10);
  run.SetCurrentDocument(1);
  EXPECT_EQ(handler.Expand(L"%A%", false), L"other");
  EXPECT_EQ(other->cardRequests, 1);

  VarHandler fresh(run);
  fresh.Expand(L"%A%", false);
  EXPECT_EQ(other->cardRequests, 2);
}

TEST_F(VarHandlerTest, BuiltInNamesDescribeTheDocumentTheFolderAndTheVault) {
  file->version = 4;
  file->revision = L"B";
  file->stateName = L"Approved";
  file->history = {{1, L"ann", {45356.5}, L""}, {4, L"bob", {45357.25}, L""}};
  vault->users->loggedIn = host::MakeRef<testing::FakeUser>(L"carl");
  EXPECT_EQ(Expand(L"%NameOfSelectedFile%"), L"a.prt");
  EXPECT_EQ(Expand(L"%PathToSelectedFile%"), L"C:\\Vault\\Parts\\a.prt");
  EXPECT_EQ(Expand(L"%DirOfSelectedFile%"), L"C:\\Vault\\Parts");
  EXPECT_EQ(Expand(L"%NameOfCurrentFolder%"), L"Parts");
  EXPECT_EQ(Expand(L"%CurrentFolderPath%"), L"C:\\Vault\\Parts");
  EXPECT_EQ(Expand(L"%RootFolderPath%"), L"C:\\Vault");
  EXPECT_EQ(Expand(L"%NameOfCurrentVault%"), L"Vault");
  EXPECT_EQ(Expand(L"%NameOfLoggedInUser%"), L"carl");
  EXPECT_EQ(Expand(L"%CurrentVersionOfFile%"), L"4");
  EXPECT_EQ(Expand(L"%CurrentRevisionOfFile%"), L"B");
  EXPECT_EQ(Expand(L"%SelectedFileCurrentWorkflowState%"), L"Approved");
  EXPECT_EQ(Expand(L"%NameOfUserCreatedFile%"), L"ann");
  EXPECT_EQ(Expand(L"%TimeFileCreated%"), L"20240305 12:00:00");
  EXPECT_EQ(Expand(L"%TimeFileModified%"), L"20240306 06:00:00");
}

TEST_F(VarHandlerTest, ValuesThatCannotBeReadAreNotAvailable) {
  vault->nameResult = host::kFail;
  EXPECT_EQ(Expand(L"%NameOfLoggedInUser%"), L"N/A");
  EXPECT_EQ(Expand(L"[%NameOfCurrentVault%]"), L"[]");
  EXPECT_EQ(Expand(L"%TimeFileCreated%"), L"N/A");  // no history yet
  run.notificationFolderId = 99;
  EXPECT_EQ(Expand(L"%NameOfCurrentFolder%"), L"N/A");

  run.SetCurrentDocument(std::nullopt);
  for (const wchar_t* name :
       {L"%NameOfSelectedFile%", L"%PathToSelectedFile%", L"%CurrentVersionOfFile%",
        L"%SelectedFileCurrentWorkflowState%", L"%NameOfUserCreatedFile%", L"%TimeFileModified%"}) {
    EXPECT_EQ(Expand(name), L"N/A") << name;
  }
}

TEST_F(VarHandlerTest, EnvironmentVariablesMayNameThemselvesThroughOthers) {
  fakes.environment.values = {{L"PROJECT", L"P-100"}, {L"TARGET", L"D:\\out"}};
  Define(L"project", Variable::kEnvironment, L"PROJECT");
  Define(L"which", Variable::kStaticText, L"TARGET");
  Define(L"target", Variable::kEnvironment, L"%which%");
  Define(L"unset", Variable::kEnvironment, L"NOT_SET");
  EXPECT_EQ(Expand(L"%project% %target% %unset%"), L"P-100 D:\\out N/A");
}

TEST_F(VarHandlerTest, RegistryVariablesNeedALongRootName) {
  fakes.registry.values[{platform::RegistryRoot::kCurrentUser, L"Software\\Vendrel", L"Mode"}] =
      std::wstring(L"fast");
  fakes.registry.values[{platform::RegistryRoot::kLocalMachine, L"Software", L"Count"}] =
      std::uint32_t{7};
  fakes.registry.values[{platform::RegistryRoot::kUsers, L"", L"Top"}] = std::wstring(L"top");
  Define(L"mode", Variable::kRegistry, L"hkey_current_user\\Software\\Vendrel\\Mode");
  Define(L"count", Variable::kRegistry, L"HKEY_LOCAL_MACHINE\\Software\\Count");
  Define(L"top", Variable::kRegistry, L"HKEY_USERS\\Top");
  Define(L"short", Variable::kRegistry, L"HKCU\\Software\\Vendrel\\Mode");
  Define(L"missing", Variable::kRegistry, L"HKEY_CURRENT_USER\\Software\\Vendrel\\Nothing");
  Define(L"bare", Variable::kRegistry, L"HKEY_USERS");
  EXPECT_EQ(Expand(L"%mode% %count% %top%"), L"fast 7 top");
  EXPECT_EQ(Expand(L"%short% %missing% %bare%"), L"N/A N/A N/A");
}

TEST_F(VarHandlerTest, RuntimeValuesGoToTheFirstVariableOfThatExactName) {
  Define(L"answer", Variable::kRuntime);
  Define(L"answer", Variable::kRuntime, L"untouched");
  VarHandler handler(run);
  handler.SetRuntimeValue(L"answer", L"yes");
  handler.SetRuntimeValue(L"Answer", L"no");
  handler.SetRuntimeValue(L"nobody", L"x");
  EXPECT_EQ(action.variables[0]->value, L"yes");
  EXPECT_EQ(action.variables[1]->value, L"untouched");
  EXPECT_EQ(action.variables.size(), 2u);
  EXPECT_EQ(Expand(L"%answer%"), L"yes");
}

// A template line's bytes give what its wide characters give, both on the line that first names
// a value and on a line after it, whichever way each takes.
class AnsiLineTest : public VarHandlerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AnsiLineTest, GivesTheBytesOfTheWideCharacters) {
  Define(L"a", Variable::kStaticText, L"A-100");
  Define(L"b", Variable::kStaticText, L"25 mm");
  Define(L"pct", Variable::kStaticText, L"%%b");
  Define(L"e", Variable::kStaticText, L"caf\u00E9");
  Define(L"far", Variable::kStaticText, L"\u4E00");
  Define(L"long", Variable::kStaticText, std::wstring(40000, L'y'));
  Define(L"long2", Variable::kStaticText, L"%long%");
  const std::string line = GetParam();
  VarHandler wide(run);
  VarHandler bytes(run);
  for (VarHandler* handler : {&wide, &bytes}) {
    handler->RememberValues();
    handler->SetReporting(false);
  }
  for (int pass = 0; pass < 2; ++pass) {
    std::string expected;
    platform::AppendAnsi(wide.Expand(platform::AnsiToWide(line), false), expected);
    std::string expanded = "before ";
    bytes.ExpandAnsi(line, expanded);
    EXPECT_EQ(expanded, "before " + expected) << "pass " << pass;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AnsiLineTest,
    ::testing::Values("Part 1 is %a% by %b%.", "%a%-%a% and %b%", "%a%x%b%a%c%", "100%% of %a%",
                      "%%%%", "%a% is 50% off", "%pct%%b%", "%e% %a%", "%far%", "\x80 %a% LEN(%b%)",
                      "LEN(%a%) %b%", "%long%%long2%",
                      "%a%%b%%1%%2%%3%%4%%5%%6%%7%%8%%9%%10%%11%%12%%13%%14%%15%"));

}  // namespace
}  // namespace vendrel::commands
