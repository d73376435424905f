// The command base (names, stored form, vault reference) and the kind table with its factory.
#include "commands/core/Cmd.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "host/Strings.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

// A kind with no fields of its own, like the cancel command.
class BareCmd : public Cmd {
 public:
  BareCmd(std::int32_t typeId, actions::Action* owner) : Cmd(typeId) { SetUp(owner); }
  void SetText(const std::wstring& text) { SetSummary(text); }
  bool Edit(platform::Window) override { return false; }
  bool Execute(actions::ActionData&) override { return true; }
};

TEST(CmdFactoryTest, IdsOutsideTheListKindsMakeNothing) {
  for (std::int32_t id : {0, 26, -1, 1000}) EXPECT_EQ(CreateCmd(id, nullptr), nullptr) << id;
}

TEST(CmdFactoryTest, EveryListKindMakesACommandOfItsType) {
  for (std::int32_t id = kFirstListType; id <= kLastListType; ++id) {
    const std::unique_ptr<Cmd> command = CreateCmd(id, nullptr);
    ASSERT_NE(command, nullptr) << id;
    EXPECT_EQ(command->TypeId(), id);
    EXPECT_EQ(command->GetName(), FindCommandKind(id)->Name());
  }
}

TEST(CmdFactoryTest, TheTableHoldsTheTwentyFiveListKindsInIdOrder) {
  const auto kinds = CommandKinds();
  ASSERT_EQ(kinds.size(), 25u);
  std::set<std::wstring> names;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    EXPECT_EQ(kinds[i].typeId, static_cast<std::int32_t>(i + 1));
    names.insert(kinds[i].Name());
  }
  EXPECT_EQ(names.size(), 25u) << "every kind needs a name of its own";
  EXPECT_EQ(kinds[21].Name(), L"Cancel Kalvano Command");
  EXPECT_STREQ(kinds[21].className, L"CmdCancel");
  EXPECT_EQ(kinds[19].Description(), L"Start of block action");
  EXPECT_EQ(kinds[13].Description(), L"");
  ASSERT_NE(FindCommandKind(kSetVarType), nullptr);
  EXPECT_EQ(FindCommandKind(kSetVarType)->Name(), L"Set variables");
  EXPECT_EQ(FindCommandKind(26), nullptr);
}

TEST(CmdFactoryTest, EveryDefaultTextIsTheShippedEnglishTextOfItsId) {
  for (std::int32_t id = kSetVarType; id <= kLastListType; ++id) {
    const CommandKind& kind = *FindCommandKind(id);
    EXPECT_EQ(kind.nameDefault, strings::English(L"Vorn", L"TS", kind.nameId)) << id;
    if (kind.descriptionId != 0) {
      EXPECT_EQ(kind.descriptionDefault, strings::English(L"Vorn", L"TS", kind.descriptionId))
          << id;
    }
  }
}

TEST(CmdTest, ConstructionTakesNameAndDescriptionFromTheKind) {
  actions::Action* const owner = nullptr;
  BareCmd loop(kAllDocumentsType, owner);
  EXPECT_EQ(loop.TypeId(), kAllDocumentsType);
  EXPECT_EQ(loop.GetName(), L"For all documents");
  EXPECT_EQ(loop.GetDescription(), L"Start of block action");
  EXPECT_EQ(loop.Summary(), L"");
  EXPECT_FALSE(loop.IsRemoved());
  EXPECT_EQ(loop.Vault(), nullptr);
}

TEST(CmdTest, StoringWritesTypeIdAndSummaryLoadingReadsTheSummaryOnly) {
  BareCmd stored(22, nullptr);
  stored.SetText(L"ab");
  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  stored.Serialize(out);
  EXPECT_EQ(file.ToText(), L"16000000FFFEFF0261006200");

  // The loader has read the type id already; the command reads from the summary on.
  file.Seek(4, actions::File::Origin::kBegin);
  BareCmd loaded(22, nullptr);
  actions::Archive in(file, actions::Archive::Mode::kLoad);
  loaded.Serialize(in);
  EXPECT_EQ(loaded.Summary(), L"ab");
  EXPECT_EQ(loaded.GetName(), stored.GetName());
}

std::uint32_t References(host::Counted& object) {
  const std::uint32_t count = object.AddRef();
  object.Release();
  return count - 1;
}

TEST(CmdTest, TheVaultReferenceIsCountedOnceAndReleasedWithTheCommand) {
  auto vault = host::MakeRef<testing::FakeVault>();
  auto other = host::MakeRef<testing::FakeVault>();
  {
    BareCmd command(3, nullptr);
    command.SetVault(vault.Get());
    command.SetVault(vault.Get());
    EXPECT_EQ(References(*vault), 2u);
    command.SetVault(other.Get());
    EXPECT_EQ(References(*vault), 1u);
    EXPECT_EQ(References(*other), 2u);
  }
  EXPECT_EQ(References(*other), 1u);
}

// Contexts that show nothing hand no services, or some of them null; every kind must cope.
TEST(CmdTest, EveryKindRunsWithoutPlatformServices) {
  auto vault = host::MakeRef<testing::FakeVault>();
  platform::Services none;
  for (platform::Services* services : {static_cast<platform::Services*>(nullptr), &none}) {
    for (const CommandKind& kind : CommandKinds()) {
      if (!kind.create) continue;
      actions::Action action;
      actions::DocumentLists lists;
      actions::ActionData run{0, vault, lists, services};
      run.currentAction = &action;
      std::unique_ptr<Cmd> command = kind.create(&action);
      SCOPED_TRACE(kind.className);
      command->Execute(run);  // a null service reached crashes here
    }
  }
}

}  // namespace
}  // namespace vendrel::commands
