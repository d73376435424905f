// The JSON form of stored actions: readable fields, exact round trips, clear refusals.
#include "tools/vendrel/ActionJson.h"

#include <gtest/gtest.h>

#include <array>

#include "actions/ActionArchive.h"
#include "tests/actions/TestActions.h"

namespace vendrel::tools {
namespace {

using test::operator+;
using test::ProbeCmd;

// The probe kind has a JSON field; the shell-typed probe has none and stays hex.
constexpr Field kProbeFields[] = {{"payload number", FieldType::kInt32}};
constexpr std::array<CommandFields, 1> kProbeKinds{{{ProbeCmd::kType, kProbeFields}}};
const JsonCodec kCodec{test::MakeProbe, kProbeKinds};

std::unique_ptr<actions::Action> RichAction() {
  auto action = test::NewAction(102, L"Backup \u00e9\U0001F600 \"q\"\n");
  action->description = L"copies\tfiles";
  action->activationKinds = actions::kActivateByMenu | actions::kActivateOnAdd;
  action->addPath = L"%.txt";
  action->addAfter = false;
  action->checkOutKind = actions::kCheckIn;
  action->stateId = 7;
  test::AddProbe(*action, ProbeCmd::kType, L"first", 42);
  test::AddProbe(*action, ProbeCmd::kShellType, L"second", -3);
  action->variables.push_back(
      std::make_unique<actions::Variable>(L"dest", actions::Variable::kStaticText, L"C:\\Backup"));
  return action;
}

Bytes VaultSet(const actions::ActionList& list) {
  return test::Encoded([&](actions::Archive& ar) { actions::WriteActionSet(ar, list); });
}

TEST(ActionJsonTest, AVaultSetReadsAsFieldsAndComesBackByteForByte) {
  actions::ActionList list;
  list.push_back(RichAction());
  list.push_back(test::NewAction(103, L"second"));
  const Bytes bytes = VaultSet(list);

  const Json json = VaultSetToJson(bytes, kCodec);
  const Json& first = json.Find("actions")->AsArray("")[0];
  EXPECT_EQ(first.Find("name")->AsString(""), L"Backup \u00e9\U0001F600 \"q\"\n");
  EXPECT_EQ(first.Find("add")->Find("after")->AsBool(""), false);
  EXPECT_EQ(first.Find("checkOut")->Find("kind")->AsString(""), L"check-in");
  const Json::Array& commands = first.Find("commands")->AsArray("");
  EXPECT_EQ(commands[0].Find("payload number")->AsInteger(""), 42);
  EXPECT_EQ(commands[1].Find("payload")->AsString(""), L"FDFFFFFF");
  EXPECT_EQ(commands[1].Find("summary")->AsString(""), L"second");

  // Through text and back.
  const Json reread = Json::Parse(json.Write());
  EXPECT_EQ(JsonToBytes(reread, kCodec), bytes);
}

TEST(ActionJsonTest, AnEditedFieldReachesTheStoredAction) {
  actions::ActionList list;
  list.push_back(RichAction());
  std::string text = VaultSetToJson(VaultSet(list), kCodec).Write();
  text.replace(text.find("\"payload number\": 42"), 20, "\"payload number\": 43");
  text.replace(text.find("\"stateId\": 7"), 12, "\"stateId\": 8");

  const Bytes edited = JsonToBytes(Json::Parse(text), kCodec);
  actions::HexStringFile file = test::FileOf(edited);
  actions::Archive archive(file, actions::Archive::Mode::kLoad);
  actions::ActionSet set;
  actions::ReadActionSet(archive, set, test::MakeProbe);
  ASSERT_EQ(set.actions.size(), 1u);
  EXPECT_EQ(set.actions[0]->stateId, 8);
  EXPECT_EQ(test::Probe(*set.actions[0], 0).payload, 43);
  EXPECT_EQ(set.actions[0]->variables[0]->value, L"C:\\Backup");
}

TEST(ActionJsonTest, WhatTheFieldsCannotSayStaysExact) {
  actions::ActionList list;
  list.push_back(test::NewAction(102, L"plain"));
  Bytes bytes = VaultSet(list);
  // The menu-kind flag stored as 2 (read as false) and bytes after the records.
  const std::size_t afterFlagsAt = bytes.size() - 4 * 5;
  bytes[afterFlagsAt] = 2;
  bytes.push_back(0xAB);

  const Json json = VaultSetToJson(bytes, kCodec);
  EXPECT_EQ(json.Find("trailing")->AsString(""), L"AB");
  EXPECT_EQ(JsonToBytes(Json::Parse(json.Write()), kCodec), bytes);
}

TEST(ActionJsonTest, ATextInTheOldNarrowFormKeepsItsRecord) {
  // A version-5 action file whose name is stored as 8-bit text.
  const auto text16 = [](const std::string& s) {
    Bytes b{static_cast<std::uint8_t>(0xFF), 0xFE, 0xFF, static_cast<std::uint8_t>(s.size())};
    for (char c : s) b.insert(b.end(), {static_cast<std::uint8_t>(c), 0});
    return b;
  };
  const Bytes zero{0, 0, 0, 0};
  const Bytes one{1, 0, 0, 0};
  const Bytes narrowName{4, 'n', 'a', 'm', 'e'};
  Bytes record = one + text16("m") + narrowName + text16("") + Bytes{102, 0, 0, 0} + text16("") +
                 text16("") + text16("") + zero + zero + one + one + one + zero + zero;
  const Bytes file = text16("Kalvano Vorn Action") + Bytes{5, 0, 0, 0} + one + record;

  const Json json = ActionFileToJson(file, kCodec);
  EXPECT_EQ(json.Find("version")->AsInteger(""), 5);
  ASSERT_NE(json.Find("actions")->AsArray("")[0].Find("record"), nullptr);
  EXPECT_EQ(JsonToBytes(Json::Parse(json.Write()), kCodec), file);
}

TEST(ActionJsonTest, TheOldestVaultSetsHaveNoMarker) {
  Json old;
  old.Add("format", L"vault-set");
  old.Add("version", 1);
  old.Add("marker", false);
  Json action;
  action.Add("id", 102);
  action.Add("name", L"old");
  old.Add("actions", Json::Array{action});
  // Count first, then the version-1 layout: no add condition and no after flags.
  const Bytes oldBytes = JsonToBytes(old, kCodec);
  EXPECT_EQ(Bytes(oldBytes.begin(), oldBytes.begin() + 4), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(JsonToBytes(VaultSetToJson(oldBytes, kCodec), kCodec), oldBytes);

  actions::HexStringFile file = test::FileOf(oldBytes);
  actions::Archive archive(file, actions::Archive::Mode::kLoad);
  actions::ActionSet set;
  actions::ReadActionSet(archive, set, test::MakeProbe);
  ASSERT_EQ(set.actions.size(), 1u);
  EXPECT_EQ(set.actions[0]->name, L"old");
  EXPECT_EQ(set.highestId, 102);
  EXPECT_TRUE(set.actions[0]->addAfter);
}

TEST(ActionJsonTest, FaultyInputIsRefusedWithAReason) {
  actions::ActionList list;
  list.push_back(RichAction());
  Bytes bytes = VaultSet(list);
  const auto reason = [](auto convert) -> std::string {
    try {
      convert();
    } catch (const JsonError& e) {
      return e.what();
    }
    return "accepted";
  };
  EXPECT_EQ(reason([&] { VaultSetToJson(Bytes(bytes.begin(), bytes.end() - 3), kCodec); }),
            "the data ends in the middle of an action");
  const JsonCodec noKinds{nullptr, {}};
  EXPECT_EQ(reason([&] { VaultSetToJson(bytes, noKinds); }),
            "command kind 2 is not known to this build");
  EXPECT_EQ(reason([&] { ActionFileToJson(bytes, kCodec); }).substr(0, 18), "not an action file");

  std::string text = VaultSetToJson(bytes, kCodec).Write();
  text.replace(text.find("\"menuText\""), 10, "\"menutext\"");
  EXPECT_EQ(reason([&] { JsonToBytes(Json::Parse(text), kCodec); }),
            "an action has an unknown member \"menutext\"");
  EXPECT_NE(reason([&] { Json::Parse("{\"a\": 1,}"); }).find("line 1"), std::string::npos);
}

TEST(ActionJsonTest, EachKindsFieldsMatchWhatTheKindStores) {
  const JsonCodec codec = DefaultCodec();
  for (const CommandFields& kind : codec.commands) {
    auto action = test::NewAction(102, L"probe");
    auto command = codec.factory(kind.typeId, action.get());
    if (!command) continue;  // not built yet: its row reads stored commands alone
    action->commands.push_back(std::move(command));
    actions::ActionList list;
    list.push_back(std::move(action));
    const Bytes bytes = VaultSet(list);
    const Json json = VaultSetToJson(bytes, codec);
    const Json& stored = json.Find("actions")->AsArray("")[0].Find("commands")->AsArray("")[0];
    EXPECT_EQ(stored.Find("payload"), nullptr) << "kind " << kind.typeId;
    EXPECT_EQ(JsonToBytes(json, codec), bytes) << "kind " << kind.typeId;
  }
}

TEST(JsonTest, TextsKeepEveryUnitThroughWritingAndParsing) {
  const std::wstring odd = std::wstring(L"a\u0001\\\"/") + static_cast<wchar_t>(0xD800) + L"z";
  Json json;
  json.Add("t", odd);
  json.Add("n", std::int64_t{-2147483648LL});
  const Json back = Json::Parse(json.Write());
  EXPECT_EQ(back.Find("t")->AsString(""), odd);
  EXPECT_EQ(back.Find("n")->AsInt32(""), -2147483647 - 1);
  EXPECT_EQ(Json::Parse("\"\\ud83d\\ude00\"").AsString(""), L"\U0001F600");
  EXPECT_THROW(Json::Parse("1.5"), JsonError);
  EXPECT_THROW(Json::Parse("{\"a\":1,\"a\":2}"), JsonError);
  EXPECT_THROW(Json::Parse("\"\xC3\""), JsonError);
}

}  // namespace
}  // namespace vendrel::tools
