// Action records by version, and the vault, file and clipboard containers.
#include "actions/ActionArchive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "actions/HexStringFile.h"
#include "tests/actions/TestActions.h"

namespace vendrel::actions {
namespace {

using test::AddProbe;
using test::Bytes;
using test::BytesOf;
using test::Encoded;
using test::FileOf;
using test::MakeProbe;
using test::NewAction;
using test::OldRecord;
using test::Probe;
using test::ProbeCmd;
using test::SetText;
using test::operator+;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The record of the worked example: menu M, name N, id 102, everything else at its default.
std::unique_ptr<Action> ExampleAction() {
  auto action = std::make_unique<Action>();
  action->activationKinds = 1;
  action->menuText = L"M";
  action->name = L"N";
  action->actionId = 102;
  return action;
}

const Bytes kExampleRecord = {
    0x01, 0x00, 0x00, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 0x4D, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 0x4E, 0x00,
    0xFF, 0xFE, 0xFF, 0x00, 0x66, 0x00, 0x00, 0x00, 0xFF, 0xFE, 0xFF, 0x00, 0xFF, 0xFE, 0xFF, 0x00,
    0xFF, 0xFE, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

const wchar_t kExampleVaultText[] =
    L"C0F9FFFF0100000001000000FFFEFF014D00FFFEFF014E00FFFEFF0066000000FFFEFF00FFFEFF00FFFEFF000000"
    L"0000000000000100000001000000010000000000000000000000";

// A fully populated action, so that any field out of place shows.
std::unique_ptr<Action> RichAction(std::int32_t id) {
  auto action = NewAction(id, L"Rich \u00E9\u20AC");
  action->activationKinds = kActivateByMenu | kActivateOnCheckOut | kActivateOnAdd;
  action->menuText = L"Tools\\Rich";
  action->description = L"all fields";
  action->stateChangePath = L"C:\\Vault\\%.txt";
  action->checkOutPath = L"%\\out\\%";
  action->addPath = L"%.dwg";
  action->stateId = 7;
  action->checkOutKind = kCheckIn;
  action->stateChangeAfter = false;
  action->checkOutAfter = true;
  action->addAfter = false;
  AddProbe(*action, ProbeCmd::kType, L"label one", 41);
  AddProbe(*action, ProbeCmd::kShellType, L"run it", -3);
  action->variables.push_back(
      std::make_unique<Variable>(L"Who", Variable::kLoggedInUser, L"", L""));
  action->variables.push_back(
      std::make_unique<Variable>(L"Part", Variable::kCardValue, L"Number", L"Default"));
  return action;
}

void ExpectSameStoredFields(const Action& a, const Action& b) {
  EXPECT_EQ(a.activationKinds, b.activationKinds);
  EXPECT_EQ(a.menuText, b.menuText);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.description, b.description);
  EXPECT_EQ(a.actionId, b.actionId);
  EXPECT_EQ(a.stateChangePath, b.stateChangePath);
  EXPECT_EQ(a.checkOutPath, b.checkOutPath);
  EXPECT_EQ(a.addPath, b.addPath);
  EXPECT_EQ(a.stateId, b.stateId);
  EXPECT_EQ(a.checkOutKind, b.checkOutKind);
  EXPECT_EQ(a.stateChangeAfter, b.stateChangeAfter);
  EXPECT_EQ(a.checkOutAfter, b.checkOutAfter);
  EXPECT_EQ(a.addAfter, b.addAfter);
  ASSERT_EQ(a.commands.size(), b.commands.size());
  for (std::size_t i = 0; i < a.commands.size(); ++i) {
    EXPECT_EQ(a.commands[i]->TypeId(), b.commands[i]->TypeId());
    EXPECT_EQ(a.commands[i]->Summary(), b.commands[i]->Summary());
    EXPECT_EQ(Probe(a, i).payload, Probe(b, i).payload);
  }
  ASSERT_EQ(a.variables.size(), b.variables.size());
  for (std::size_t i = 0; i < a.variables.size(); ++i) {
    EXPECT_EQ(a.variables[i]->name, b.variables[i]->name);
    EXPECT_EQ(a.variables[i]->type, b.variables[i]->type);
    EXPECT_EQ(a.variables[i]->value, b.variables[i]->value);
    EXPECT_EQ(a.variables[i]->extra, b.variables[i]->extra);
  }
}

std::unique_ptr<Action> ReadOne(const Bytes& bytes, std::int32_t version) {
  HexStringFile file = FileOf(bytes);
  Archive archive(file, Archive::Mode::kLoad);
  auto action = std::make_unique<Action>();
  ReadAction(archive, *action, version, MakeProbe);
  EXPECT_EQ(file.Position(), file.GetLength()) << "the record was not read to its end";
  return action;
}

ActionSet ReadSetFromText(const std::wstring& text) {
  HexStringFile file;
  EXPECT_TRUE(file.FromText(text));
  Archive archive(file, Archive::Mode::kLoad);
  ActionSet set;
  ReadActionSet(archive, set, MakeProbe);
  return set;
}

// Damage must end the read alike whether commands are decoded at once or left stored: the same
// cause, the same actions kept before it.
ArchiveError::Cause SetReadFailure(const Bytes& bytes, ActionSet& set) {
  ActionSet deferred;
  std::optional<ArchiveError::Cause> deferredCause;
  try {
    ReadActionSet(bytes, deferred, MakeProbe);
  } catch (const ArchiveError& e) {
    deferredCause = e.cause();
  }
  HexStringFile file = FileOf(bytes);
  Archive archive(file, Archive::Mode::kLoad);
  try {
    ReadActionSet(archive, set, MakeProbe);
  } catch (const ArchiveError& e) {
    EXPECT_EQ(deferredCause, e.cause()) << "with commands left stored";
    EXPECT_EQ(deferred.actions.size(), set.actions.size()) << "with commands left stored";
    return e.cause();
  }
  ADD_FAILURE() << "the set read without error";
  return ArchiveError::Cause::kEndOfFile;
}

TEST(ActionRecord, WorkedExampleIsSixtyFourBytes) {
  const Bytes record = Encoded([](Archive& a) { WriteAction(a, *ExampleAction()); });
  EXPECT_THAT(record, ElementsAreArray(kExampleRecord));
  ExpectSameStoredFields(*ReadOne(kExampleRecord, kArchiveVersion), *ExampleAction());
}

TEST(ActionRecord, WorkedExampleVaultText) {
  ActionList list;
  list.push_back(ExampleAction());
  EXPECT_EQ(SetText(list), kExampleVaultText);

  const ActionSet set = ReadSetFromText(kExampleVaultText);
  ASSERT_EQ(set.actions.size(), 1u);
  ExpectSameStoredFields(*set.actions[0], *ExampleAction());
  EXPECT_EQ(set.highestId, 102);
}

TEST(ActionRecord, EveryStoredFieldRoundTrips) {
  const auto original = RichAction(140);
  const Bytes bytes = Encoded([&](Archive& a) { WriteAction(a, *original); });
  const auto back = ReadOne(bytes, kArchiveVersion);
  ExpectSameStoredFields(*back, *original);
  EXPECT_EQ(back->commands[0]->Owner(), back.get());
  EXPECT_EQ(Probe(*back, 1).readVersion, kArchiveVersion);
}

TEST(ActionRecord, MarksAreNotStored) {
  auto action = ExampleAction();
  action->changedMark = true;
  action->removedMark = true;
  action->refreshMark = true;
  action->vetoMark = true;
  EXPECT_THAT(Encoded([&](Archive& a) { WriteAction(a, *action); }),
              ElementsAreArray(kExampleRecord));
}

TEST(ActionRecord, WritingTheSameSetTwiceGivesTheSameBytes) {
  ActionList list;
  list.push_back(RichAction(102));
  list.push_back(ExampleAction());
  const std::wstring first = SetText(list);
  EXPECT_EQ(SetText(list), first);
  const ActionSet back = ReadSetFromText(first);
  EXPECT_EQ(SetText(back.actions), first);
}

TEST(ActionRecord, VersionOneHasNoAddPathAndAllAfterFlagsTrue) {
  const auto action = ReadOne(OldRecord(1), 1);
  EXPECT_EQ(action->checkOutPath, L"out path");
  EXPECT_EQ(action->addPath, L"");
  EXPECT_EQ(action->stateId, 4);
  EXPECT_EQ(action->checkOutKind, kCheckOut);
  EXPECT_TRUE(action->stateChangeAfter);
  EXPECT_TRUE(action->checkOutAfter);
  EXPECT_TRUE(action->addAfter);
  EXPECT_EQ(Probe(*action, 0).payload, 99);
  EXPECT_EQ(Probe(*action, 0).readVersion, 1) << "shell commands learn the record's version";
  EXPECT_EQ(action->variables.at(0)->value, L"value");
}

TEST(ActionRecord, VersionTwoHasAfterFlagsButNoAddCondition) {
  const auto action = ReadOne(OldRecord(2), 2);
  EXPECT_EQ(action->addPath, L"");
  EXPECT_FALSE(action->stateChangeAfter);
  EXPECT_FALSE(action->checkOutAfter);
  EXPECT_TRUE(action->addAfter);
  EXPECT_EQ(action->variables.at(0)->name, L"V");
}

TEST(ActionRecord, VersionThreeToFiveHaveEveryField) {
  for (std::int32_t version : {3, 5}) {
    const auto action = ReadOne(OldRecord(version), version);
    EXPECT_EQ(action->addPath, L"add path");
    EXPECT_FALSE(action->addAfter);
    EXPECT_EQ(Probe(*action, 0).readVersion, version);
  }
}

TEST(ActionRecord, CountsBelowOneReadNoRecords) {
  const Bytes head(kExampleRecord.begin(), kExampleRecord.end() - 8);
  const Bytes negative = head + Bytes{0xFB, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80};
  const auto action = ReadOne(negative, kArchiveVersion);
  EXPECT_TRUE(action->commands.empty());
  EXPECT_TRUE(action->variables.empty());
}

TEST(ActionRecord, UnknownCommandTypeIsBadIndex) {
  const Bytes head(kExampleRecord.begin(), kExampleRecord.end() - 8);
  for (std::int32_t type : {0, 26, -1, 1}) {
    const Bytes record = head + Encoded([type](Archive& a) {
                           a.WriteInt32(1);
                           a.WriteInt32(type);
                           a.WriteText(L"x");
                           a.WriteInt32(0);
                         });
    ActionSet set;
    const Bytes container = Bytes{0xC0, 0xF9, 0xFF, 0xFF, 2, 0, 0, 0} + kExampleRecord + record;
    EXPECT_EQ(SetReadFailure(container, set), ArchiveError::Cause::kBadIndex) << type;
    ASSERT_EQ(set.actions.size(), 1u) << "the action before the bad one stays";
    EXPECT_EQ(set.actions[0]->actionId, 102);
  }
}

TEST(ActionSetContainer, ReadingReplacesTheSetAndTracksTheHighestId) {
  ActionList list;
  list.push_back(NewAction(150, L"high"));
  list.push_back(NewAction(120, L"low"));
  HexStringFile file;
  ASSERT_TRUE(file.FromText(SetText(list)));
  Archive archive(file, Archive::Mode::kLoad);
  ActionSet set;
  set.actions.push_back(NewAction(900, L"stale"));
  set.highestId = 900;
  ReadActionSet(archive, set, MakeProbe);
  ASSERT_EQ(set.actions.size(), 2u);
  EXPECT_EQ(set.actions[0]->name, L"high");
  EXPECT_EQ(set.actions[1]->name, L"low");
  EXPECT_EQ(set.highestId, 150);

  const ActionSet empty = ReadSetFromText(SetText({}));
  EXPECT_TRUE(empty.actions.empty());
  EXPECT_EQ(empty.highestId, kNoActionId);
}

TEST(ActionSetContainer, PositiveFirstValueIsAVersionOneCount) {
  const Bytes container = Bytes{1, 0, 0, 0} + OldRecord(1);
  HexStringFile file = FileOf(container);
  Archive archive(file, Archive::Mode::kLoad);
  ActionSet set;
  ReadActionSet(archive, set, MakeProbe);
  ASSERT_EQ(set.actions.size(), 1u);
  EXPECT_EQ(set.actions[0]->checkOutPath, L"out path");
  EXPECT_TRUE(set.actions[0]->stateChangeAfter);
  EXPECT_EQ(set.highestId, 130);
}

TEST(ActionSetContainer, DamageEndsTheReadWithTheSetEmptiedFirst) {
  ActionSet set;
  set.actions.push_back(NewAction(300, L"mine"));
  const Bytes whole = Bytes{0xC0, 0xF9, 0xFF, 0xFF, 1, 0, 0, 0} + kExampleRecord;
  EXPECT_EQ(SetReadFailure(Bytes(whole.begin(), whole.end() - 1), set),
            ArchiveError::Cause::kEndOfFile);
  EXPECT_TRUE(set.actions.empty());

  HexStringFile odd;
  EXPECT_FALSE(odd.FromText(std::wstring(kExampleVaultText).substr(0, 143)));
  Archive archive(odd, Archive::Mode::kLoad);
  EXPECT_THROW(ReadActionSet(archive, set, MakeProbe), ArchiveError);
}

TEST(ActionSetContainer, CommandsLeftStoredDecodeAsTheWholeReadWhenReached) {
  ActionList list;
  list.push_back(RichAction(102));
  list.push_back(ExampleAction());
  const std::wstring text = SetText(list);
  HexStringFile file;
  ASSERT_TRUE(file.FromText(text));
  const Bytes bytes = BytesOf(file);

  ActionSet set;
  ReadActionSet(bytes, set, MakeProbe);
  ASSERT_EQ(set.actions.size(), 2u);
  const Action& rich = *set.actions[0];
  EXPECT_TRUE(rich.commands.Deferred());
  EXPECT_EQ(rich.commands.size(), 2u) << "counted without decoding";
  EXPECT_TRUE(rich.commands.Deferred());
  EXPECT_EQ(rich.name, RichAction(102)->name) << "the record's own fields are read at once";
  ExpectSameStoredFields(rich, *RichAction(102));
  EXPECT_FALSE(rich.commands.Deferred());
  EXPECT_EQ(rich.commands[1]->Owner(), &rich);
  EXPECT_EQ(Probe(rich, 1).readVersion, kArchiveVersion);
  EXPECT_FALSE(set.actions[1]->commands.Deferred()) << "no commands, nothing left stored";
  EXPECT_EQ(SetText(set.actions), text);

  // An old layout decodes by the version the set announced, after the bytes' owner let go.
  ActionSet old;
  ReadActionSet(Bytes{1, 0, 0, 0} + OldRecord(1), old, MakeProbe);
  ASSERT_EQ(old.actions.size(), 1u);
  EXPECT_EQ(Probe(*old.actions[0], 0).readVersion, 1);
  EXPECT_EQ(Probe(*old.actions[0], 0).payload, 99);
  EXPECT_EQ(old.actions[0]->commands[0]->Summary(), L"shell");
}

TEST(ActionSetContainer, DamageInsideACommandEndsTheRead) {
  const Bytes head(kExampleRecord.begin(), kExampleRecord.end() - 8);
  const Bytes command = Encoded([](Archive& a) {
    a.WriteInt32(1);
    a.WriteInt32(ProbeCmd::kType);
    a.WriteText(L"a summary long enough to cut");
    a.WriteInt32(5);
    a.WriteInt32(0);
  });
  const Bytes container = Bytes{0xC0, 0xF9, 0xFF, 0xFF, 2, 0, 0, 0} + kExampleRecord + head;
  for (std::size_t cut : {command.size() - 1, command.size() - 9, std::size_t{12}}) {
    ActionSet set;
    EXPECT_EQ(SetReadFailure(container + Bytes(command.begin(), command.begin() + cut), set),
              ArchiveError::Cause::kEndOfFile)
        << cut;
    EXPECT_EQ(set.actions.size(), 1u) << cut;
  }
  ActionSet set;
  const Bytes huge = head + Bytes{1,    0,    0,    0,    ProbeCmd::kType,
                                  0,    0,    0,    0xFF, 0xFE,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0x7F};
  EXPECT_EQ(SetReadFailure(Bytes{0xC0, 0xF9, 0xFF, 0xFF, 1, 0, 0, 0} + huge, set),
            ArchiveError::Cause::kBadLength);
}

TEST(ActionFileContainer, HeaderVersionCountAndRecords) {
  const auto rich = RichAction(111);
  const auto example = ExampleAction();
  const Action* selected[] = {rich.get(), example.get()};
  const Bytes bytes = Encoded([&](Archive& a) { WriteActionFile(a, selected); });
  const Bytes header = Encoded([](Archive& a) {
    a.WriteText(L"Kalvano Vorn Action");
    a.WriteInt32(1600);
    a.WriteInt32(2);
  });
  ASSERT_GT(bytes.size(), header.size());
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + header.size()), header);
  EXPECT_EQ(Bytes(bytes.end() - kExampleRecord.size(), bytes.end()), kExampleRecord);

  HexStringFile file = FileOf(bytes);
  Archive archive(file, Archive::Mode::kLoad);
  ActionList read;
  ASSERT_TRUE(ReadActionFile(archive, read, MakeProbe));
  ASSERT_EQ(read.size(), 2u);
  ExpectSameStoredFields(*read[0], *rich);
  ExpectSameStoredFields(*read[1], *example);
}

TEST(ActionFileContainer, OlderFileVersionsReadWithTheirLayout) {
  const Bytes bytes = Encoded([](Archive& a) {
                        a.WriteText(L"Kalvano Vorn Action");
                        a.WriteInt32(2);
                        a.WriteInt32(1);
                      }) +
                      OldRecord(2);
  HexStringFile file = FileOf(bytes);
  Archive archive(file, Archive::Mode::kLoad);
  ActionList read;
  ASSERT_TRUE(ReadActionFile(archive, read, MakeProbe));
  ASSERT_EQ(read.size(), 1u);
  EXPECT_FALSE(read[0]->checkOutAfter);
  EXPECT_EQ(Probe(*read[0], 0).readVersion, 2);
}

TEST(ActionFileContainer, HeaderMustMatchExactly) {
  for (const wchar_t* header :
       {L"kalvano vorn action", L"KALVANO VORN ACTION", L"Kalvano Vorn Action ", L""}) {
    const Bytes bytes = Encoded([header](Archive& a) {
                          a.WriteText(header);
                          a.WriteInt32(1600);
                          a.WriteInt32(1);
                        }) +
                        kExampleRecord;
    HexStringFile file = FileOf(bytes);
    Archive archive(file, Archive::Mode::kLoad);
    ActionList read;
    EXPECT_FALSE(ReadActionFile(archive, read, MakeProbe)) << testing::PrintToString(header);
    EXPECT_TRUE(read.empty());
  }
}

TEST(ClipboardContainer, CountAndRecordsOnly) {
  const auto example = ExampleAction();
  const Action* selected[] = {example.get()};
  HexStringFile out;
  Archive store(out, Archive::Mode::kStore);
  WriteClipboardActions(store, selected);
  EXPECT_EQ(BytesOf(out), Bytes({1, 0, 0, 0}) + kExampleRecord);

  HexStringFile in;
  ASSERT_TRUE(in.FromText(out.ToText()));
  Archive load(in, Archive::Mode::kLoad);
  ActionList read;
  ReadClipboardActions(load, read, MakeProbe);
  ASSERT_EQ(read.size(), 1u);
  ExpectSameStoredFields(*read[0], *example);
}

}  // namespace
}  // namespace vendrel::actions
