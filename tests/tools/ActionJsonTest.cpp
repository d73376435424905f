// The JSON form of stored actions: readable fields, exact round trips, clear refusals.
#include "tools/vendrel/ActionJson.h"

#include <gtest/gtest.h>

#include "actions/ActionArchive.h"
#include "commands/core/CmdFactory.h"
#include "tests/actions/TestActions.h"

namespace vendrel::tools {
namespace {

using test::operator+;
using test::ProbeCmd;

const JsonCodec kCodec{test::MakeProbe};

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
  const Json& first = json.at("actions")[0];
  EXPECT_EQ(AsText(first.at("name"), ""), L"Backup \u00e9\U0001F600 \"q\"\n");
  EXPECT_EQ(first.at("add").at("after"), false);
  EXPECT_EQ(first.at("checkOut").at("kind"), "check-in");
  const Json& commands = first.at("commands");
  EXPECT_EQ(commands[0].at("payload number"), 42);
  EXPECT_EQ(commands[1].at("payload number"), -3);
  EXPECT_EQ(commands[1].at("summary"), "second");

  // Through text and back.
  const Json reread = ParseJson(WriteJson(json));
  EXPECT_EQ(JsonToBytes(reread, kCodec), bytes);
}

TEST(ActionJsonTest, AnEditedFieldReachesTheStoredAction) {
  actions::ActionList list;
  list.push_back(RichAction());
  std::string text = WriteJson(VaultSetToJson(VaultSet(list), kCodec));
  text.replace(text.find("\"payload number\": 42"), 20, "\"payload number\": 43");
  text.replace(text.find("\"stateId\": 7"), 12, "\"stateId\": 8");

  const Bytes edited = JsonToBytes(ParseJson(text), kCodec);
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
  EXPECT_EQ(json.at("trailing"), "AB");
  EXPECT_EQ(JsonToBytes(ParseJson(WriteJson(json)), kCodec), bytes);
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
  EXPECT_EQ(json.at("version"), 5);
  ASSERT_TRUE(json.at("actions")[0].contains("record"));
  EXPECT_EQ(JsonToBytes(ParseJson(WriteJson(json)), kCodec), file);
}

TEST(ActionJsonTest, TheOldestVaultSetsHaveNoMarker) {
  const Json old = {{"format", "vault-set"},
                    {"version", 1},
                    {"marker", false},
                    {"actions", Json::array({{{"id", 102}, {"name", "old"}}})}};
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
  const JsonCodec noKinds{nullptr};
  EXPECT_EQ(reason([&] { VaultSetToJson(bytes, noKinds); }),
            "command kind 2 is not known to this build");
  EXPECT_EQ(reason([&] { ActionFileToJson(bytes, kCodec); }).substr(0, 18), "not an action file");
  EXPECT_NE(reason([&] { ParseJson("{\"a\": 1,}"); }).find("line 1"), std::string::npos);
}

// A faulty document is refused naming the place of the fault.
struct BadDocument {
  const char* actions;
  const char* reason;
};

class BadDocumentTest : public ::testing::TestWithParam<BadDocument> {};

TEST_P(BadDocumentTest, IsRefusedNamingThePlace) {
  const Json document =
      ParseJson(std::string(R"({"format": "action-file", "actions": )") + GetParam().actions + "}");
  try {
    JsonToBytes(document, DefaultCodec());
    ADD_FAILURE() << "accepted";
  } catch (const JsonError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().reason);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachPlace, BadDocumentTest,
    ::testing::Values(
        BadDocument{
            R"([{}, {"commands": [{"type": 3, "message": "x"}, {"type": 1, "prompt": 5}]}])",
            "actions[1].commands[1].prompt must be a text, not a number"},
        BadDocument{R"([{"commands": [{"type": 1}]}])", "actions[0].commands[0] lacks \"prompt\""},
        BadDocument{R"([{"commands": [{"summary": "x"}]}])",
                    "actions[0].commands[0] lacks \"type\""},
        BadDocument{R"([{"menutext": "x"}])", "actions[0] has an unknown member \"menutext\""},
        BadDocument{R"([{"activation": ["menu", "daily"]}])",
                    "actions[0].activation[1] is no activation: \"daily\""},
        BadDocument{R"([{"checkOut": {"kind": "often"}}])",
                    "actions[0].checkOut.kind is no check-out kind: \"often\""},
        BadDocument{R"([{}, {"variables": [{"name": "v", "type": "text"}]}])",
                    "actions[1].variables[0].type must be a number, not a text"},
        BadDocument{R"([{"record": "xyz"}])", "actions[0].record is not hexadecimal text"}));

TEST(ActionJsonTest, EachKindsFieldsMatchWhatTheKindStores) {
  const JsonCodec codec = DefaultCodec();
  for (const commands::CommandKind& kind : commands::CommandKinds()) {
    auto action = test::NewAction(102, L"probe");
    auto command = codec.factory(kind.typeId, action.get());
    ASSERT_NE(command, nullptr) << kind.typeId;
    action->commands.push_back(std::move(command));
    actions::ActionList list;
    list.push_back(std::move(action));
    const Bytes bytes = VaultSet(list);
    const Json json = VaultSetToJson(bytes, codec);
    const Json& stored = json.at("actions")[0].at("commands")[0];
    EXPECT_FALSE(stored.contains("payload")) << "kind " << kind.typeId;
    EXPECT_EQ(JsonToBytes(json, codec), bytes) << "kind " << kind.typeId;
  }
}

TEST(ActionJsonTest, AnUnpairedSurrogateKeepsItsRecordOrPayload) {
  const std::wstring odd = std::wstring(L"a") + static_cast<wchar_t>(0xD800) + L"z";
  actions::ActionList list;
  list.push_back(test::NewAction(102, odd));
  list.push_back(test::NewAction(103, L"plain"));
  const Bytes bytes = VaultSet(list);
  const Json json = VaultSetToJson(bytes, kCodec);
  EXPECT_TRUE(json.at("actions")[0].contains("record"));
  EXPECT_EQ(json.at("actions")[1].at("name"), "plain");
  EXPECT_EQ(JsonToBytes(ParseJson(WriteJson(json)), kCodec), bytes);
}

TEST(JsonTest, OnlyWhatTheFormHoldsIsRead) {
  EXPECT_EQ(AsInt32(ParseJson("-2147483648"), ""), -2147483647 - 1);
  EXPECT_EQ(AsText(ParseJson("\"\\ud83d\\ude00\""), ""), L"\U0001F600");
  EXPECT_THROW(AsInt32(ParseJson("2147483648"), "n"), JsonError);
  EXPECT_THROW(ParseJson("1.5"), JsonError);
  EXPECT_THROW(ParseJson("[1e99999]"), JsonError);
  EXPECT_THROW(ParseJson("{\"a\":1,\"a\":2}"), JsonError);
  EXPECT_THROW(ParseJson("\"\xC3\""), JsonError);
  EXPECT_THROW(ParseJson("\"\\ud800\""), JsonError);
  // Scalars in a list stay on one line; objects and lists of them are indented.
  EXPECT_EQ(
      WriteJson(ParseJson(R"({"a": [1, "x"], "b": [{}], "c": {"d": null}})")),
      "{\n  \"a\": [1, \"x\"],\n  \"b\": [\n    {}\n  ],\n  \"c\": {\n    \"d\": null\n  }\n}\n");
}

}  // namespace
}  // namespace vendrel::tools
