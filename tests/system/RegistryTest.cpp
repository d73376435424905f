// Writing registry values: which paths are taken, and what a DWORD text becomes.
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/RegistryPath.h"
#include "commands/core/VarHandler.h"
#include "commands/system/CmdRegistry.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

using platform::RegistryRoot;

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() { run.currentAction = &action; }

  bool Write(const std::wstring& path, const std::wstring& value, std::int32_t kind) {
    CmdRegistry command(&action);
    command.Assign({path, value, kind});
    return command.Execute(run);
  }
  std::optional<platform::RegistryData> Read(RegistryRoot root, const std::wstring& subkey,
                                             const std::wstring& name) {
    return fakes.registry.Read(root, subkey, name);
  }

  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{0, vault, lists, &fakes.services};
  actions::Action action;
};

TEST(RegistryPathTest, RootsAreTheLongNamesInAnyCaseAndTheNameFollowsTheLastBackslash) {
  const auto path = SplitRegistryPath(L"hkey_Current_user\\Software\\Test\\Count");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->root, RegistryRoot::kCurrentUser);
  EXPECT_EQ(path->subkey, L"Software\\Test");
  EXPECT_EQ(path->name, L"Count");

  const auto underRoot = SplitRegistryPath(L"HKEY_LOCAL_MACHINE\\Count");
  ASSERT_TRUE(underRoot);
  EXPECT_EQ(underRoot->root, RegistryRoot::kLocalMachine);
  EXPECT_EQ(underRoot->subkey, L"");
  EXPECT_EQ(underRoot->name, L"Count");

  const auto defaultValue = SplitRegistryPath(L"HKEY_USERS\\S\\");
  ASSERT_TRUE(defaultValue);
  EXPECT_EQ(defaultValue->subkey, L"S");
  EXPECT_EQ(defaultValue->name, L"");

  for (const wchar_t* invalid : {L"HKCU\\Software\\Count", L"HKEY_CURRENT_USER", L"",
                                 L"HKEY_CURRENT_USERS\\Count", L"\\Software\\Count"}) {
    EXPECT_FALSE(SplitRegistryPath(invalid)) << invalid;
  }
}

TEST_F(RegistryTest, AStringGoesWhereThePathSaysAndAShortRootWritesNothing) {
  EXPECT_TRUE(Write(L"hkey_current_user\\Software\\Test\\Name", L"Bolt", CmdRegistry::kString));
  EXPECT_EQ(Read(RegistryRoot::kCurrentUser, L"Software\\Test", L"Name"),
            platform::RegistryData(L"Bolt"));
  EXPECT_TRUE(Write(L"HKEY_CURRENT_USER\\Count", L"x", CmdRegistry::kString));
  EXPECT_EQ(Read(RegistryRoot::kCurrentUser, L"", L"Count"), platform::RegistryData(L"x"));

  fakes.registry.values.clear();
  EXPECT_FALSE(Write(L"HKCU\\Software\\Test\\Count", L"1", CmdRegistry::kString));
  EXPECT_FALSE(Write(L"Count", L"1", CmdRegistry::kDword));
  EXPECT_TRUE(fakes.registry.values.empty());
}

TEST_F(RegistryTest, ADwordReadsLikeTheCLibraryAndBinaryOrNoKindWritesNothing) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"seven", actions::Variable::kStaticText, L"7"));
  const std::wstring path = L"HKEY_CURRENT_USER\\Software\\Test\\Count";
  const auto dword = [&](const std::wstring& text) {
    EXPECT_TRUE(Write(path, text, CmdRegistry::kDword));
    const auto data = Read(RegistryRoot::kCurrentUser, L"Software\\Test", L"Count");
    return data ? std::get<std::uint32_t>(*data) : 0xDEADu;
  };
  EXPECT_EQ(dword(L"42"), 42u);
  EXPECT_EQ(dword(L"%seven%"), 7u);
  EXPECT_EQ(dword(L"  -1 apples"), 0xFFFFFFFFu);
  EXPECT_EQ(dword(L"99999999999"), 0x7FFFFFFFu) << "clamped as a 32-bit long";
  EXPECT_EQ(dword(L"ten"), 0u);

  fakes.registry.values.clear();
  EXPECT_TRUE(Write(path, L"1", CmdRegistry::kBinary));
  EXPECT_TRUE(Write(path, L"1", CmdRegistry::kNoKind));
  EXPECT_TRUE(fakes.registry.values.empty());
}

TEST_F(RegistryTest, RegistryVariablesReadThroughTheSameSplit) {
  ASSERT_TRUE(Write(L"HKEY_CLASSES_ROOT\\A\\B\\V", L"data", CmdRegistry::kString));
  VarHandler variables(run);
  EXPECT_EQ(variables.RegistryValue(L"hkey_classes_root\\A\\B\\V"), L"data");
  EXPECT_EQ(variables.RegistryValue(L"HKCR\\A\\B\\V"), L"N/A");
  EXPECT_EQ(variables.RegistryValue(L"HKEY_CLASSES_ROOT\\A\\B\\Missing"), L"N/A");
}

TEST_F(RegistryTest, TheSummaryNamesTheKind) {
  CmdRegistry command(&action);
  command.Assign({L"HKEY_USERS\\K\\V", L"1", CmdRegistry::kDword});
  EXPECT_EQ(command.Summary(), L"HKEY_USERS\\K\\V : 1 (DWORD)");
  command.Assign({L"K", L"x", CmdRegistry::kString});
  EXPECT_EQ(command.Summary(), L"K : x (String)");
  command.Assign({L"K", L"x", CmdRegistry::kNoKind});
  EXPECT_EQ(command.Summary(), L"K : x");
}

}  // namespace
}  // namespace vendrel::commands
