// `vendrel test` end to end: the demo's tests on the demo's actions, each kind of expectation
// failing when the action changes, bad test files, the time limit, --record and the JUnit file.
#include <nlohmann/json.hpp>

#include "tests/tools/CliFixture.h"

namespace vendrel::tools {
namespace {

using json = nlohmann::ordered_json;

const fs::path kDemo = fs::path(VENDREL_SOURCE_DIR) / "examples" / "demo";

// One menu action whose every command leaves a trace of another kind.
json Actions() {
  return json::parse(R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 101, "name": "Check", "menuText": "Check", "activation": ["menu"], "commands": [
    {"type": 3, "summary": "", "message": "Hello %NameOfSelectedFile%"},
    {"type": 9, "summary": "", "keyPath": "HKEY_CURRENT_USER\\Software\\Vendrel\\Last",
     "value": "%NameOfSelectedFile%", "kind": 0},
    {"type": 14, "summary": "", "path": "C:\\Out"},
    {"type": 19, "summary": "", "from": "%PathToSelectedFile%", "to": "C:\\Out\\a.txt"},
    {"type": 19, "summary": "", "from": "%PathToSelectedFile%", "to": "C:\\Vault\\Docs\\copy.txt"},
    {"type": 25, "summary": "", "item": 0, "filePath": "", "folderPath": "", "value": "yes",
     "variable": "Reviewed", "variableType": 1, "configurations": []},
    {"type": 24, "summary": "", "subject": "Seen", "message": "Look",
     "users": ["anna"], "groups": []}]}]})");
}

// One test per kind of expectation, named after it, each expecting what the action does.
json Tests() {
  const json expectations = json::parse(R"({
    "outcome": {"outcome": "ran"},
    "refresh": {"refresh": 1},
    "files": {"files": [{"path": "Docs\\copy.txt", "exists": true}]},
    "localFiles": {"localFiles": [{"path": "C:\\Out\\a.txt", "contents": "A\n"}]},
    "cards": {"cards": [{"path": "Docs\\a.txt", "variable": "Reviewed", "value": "yes"}]},
    "inbox": {"inbox": [{"user": "anna",
                         "messages": [{"from": "Chief", "subject": "Seen", "text": "Look"}]}]},
    "registry": {"registry": [{"path": "HKEY_CURRENT_USER\\Software\\Vendrel\\Last",
                               "data": "a.txt"}]},
    "boxes": {"boxes": ["Hello a.txt"]},
    "trace": {"trace": ["[Vendrel] Hello a.txt -> OK"]},
    "nothingElseChanged": {"files": [{"path": "Docs\\copy.txt"}],
                           "localFiles": [{"path": "C:\\Out\\a.txt"}],
                           "cards": [{"path": "Docs\\a.txt", "variable": "Reviewed"}],
                           "inbox": [{"user": "anna"}],
                           "registry": [{"path": "HKEY_CURRENT_USER\\Software\\Vendrel\\Last"}],
                           "nothingElseChanged": true}})");
  json tests = json::array();
  for (const auto& [name, expect] : expectations.items()) {
    tests.push_back(
        {{"name", name},
         {"operation", {{"kind", "menu"}, {"menu", "Check"}, {"paths", {"Docs\\a.txt"}}}},
         {"expect", expect}});
  }
  return {{"fixture",
           {{"users", {"Chief", "anna"}},
            {"variables", {{"Reviewed", {{"type", "text"}, {"flags", 8}}}}},
            {"files", {{{"path", "Docs\\a.txt"}, {"contents", "A\n"}}}}}},
          {"tests", tests}};
}

class ActionTestsTest : public CliTest {
 protected:
  void WriteJson(const std::string& name, const json& document) { Write(name, document.dump(2)); }
};

TEST_F(ActionTestsTest, TheDemosTestsPassOnTheDemosActionsAndTheJUnitFileReadsBack) {
  const Result r = RunOk({"test", (kDemo / "tests.json").string(), "--junit", "junit.xml"});
  EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), "5 passed, 0 failed\n");
  Write("read.py",
        "import xml.etree.ElementTree as E\n"
        "s = E.parse('junit.xml').getroot().find('testsuite')\n"
        "print(s.get('tests'), s.get('failures'), len(s.findall('testcase')),"
        " len(s.findall('testcase/failure')))\n");
  EXPECT_EQ(std::system(("cd " + Quote(dir.string()) + " && python3 read.py > read.txt").c_str()),
            0);
  EXPECT_EQ(FileText(dir / "read.txt"), "5 0 5 0\n");
}

struct Change {
  const char* kind;  // the test that must fail, named after its kind of expectation
  std::size_t command;
  // The member of the command that takes `value`; null: a copy to `value` goes before the
  // command, or without a value the commands from it on go.
  const char* member;
  const char* value;
  const char* message;  // what the failure line says after the test's name
};

class ExpectationKindTest : public ActionTestsTest, public ::testing::WithParamInterface<Change> {};

TEST_P(ExpectationKindTest, FailsWhenTheActionChangesAndSaysWhatDiffered) {
  const Change& change = GetParam();
  WriteJson("tests.json", Tests());
  WriteJson("actions.json", Actions());
  const Result before = Run({"test", "tests.json", "--actions", "actions.json"});
  ASSERT_EQ(before.code, 0) << before.out << before.err;

  json changed = Actions();
  json& commands = changed["actions"][0]["commands"];
  const auto at = commands.begin() + static_cast<std::ptrdiff_t>(change.command);
  if (change.member) {
    (*at)[change.member] = change.value;
  } else if (change.value) {
    commands.insert(at, json::object({{"type", 19},
                                      {"summary", ""},
                                      {"from", "%PathToSelectedFile%"},
                                      {"to", change.value}}));
  } else {
    commands.erase(at, commands.end());
  }
  WriteJson("changed.json", changed);
  const Result after = Run({"test", "tests.json", "--actions", "changed.json"});
  EXPECT_EQ(after.code, 1) << after.err;
  EXPECT_NE(after.out.find("FAIL " + std::string(change.kind) + ": " + change.message),
            std::string::npos)
      << after.out;
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, ExpectationKindTest,
    ::testing::Values(
        Change{"outcome", 3, "from", "C:\\Nowhere\\a.txt",
               "expect.outcome: expected \"ran\", got \"failed\""},
        Change{"refresh", 3, nullptr, nullptr, "expect.refresh: expected 1, got 0"},
        Change{"files", 4, "to", "C:\\Out\\copy.txt",
               "expect.files[0].exists (Docs\\copy.txt): expected true, got false"},
        Change{"localFiles", 3, "to", "C:\\Out\\b.txt",
               "expect.localFiles[0].contents (C:\\Out\\a.txt): expected \"A\\n\", got nothing"},
        Change{"cards", 5, "value", "no",
               "expect.cards[0].value (Docs\\a.txt, Reviewed): expected \"yes\", got \"no\""},
        Change{"inbox", 6, "subject", "Read", "expect.inbox[0].messages (anna): expected"},
        Change{"registry", 1, "value", "%NameOfLoggedInUser%",
               "expect.registry[0].data (HKEY_CURRENT_USER\\Software\\Vendrel\\Last): expected "
               "\"a.txt\", got \"Chief\""},
        Change{"boxes", 0, "message", "Bye",
               "expect.boxes: expected [\"Hello a.txt\"], got [\"Bye\"]"},
        Change{"trace", 0, "message", "Bye",
               "expect.trace[0]: expected a line with \"[Vendrel] Hello a.txt -> OK\", got no "
               "such line"},
        Change{"nothingElseChanged", 3, nullptr, "C:\\Out\\extra.txt",
               "expect.nothingElseChanged: expected nothing else changed, got added "
               "C:\\Out\\extra.txt"}),
    [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.kind); });

struct BadFile {
  const char* name;
  const char* test;  // the first test of the file
  const char* message;
};

class BadTestFileTest : public ActionTestsTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadTestFileTest, IsRefusedWithOneSentenceNamingThePlace) {
  Write("bad.json", std::string(R"({"tests": [{"name": "good", "operation": {"kind": "menu",
      "menu": "Check", "paths": ["Docs\\a.txt"]}, "fixture": {"files": [{"path": "Docs\\a.txt"}]}},
      )") + GetParam().test +
                        "]}");
  WriteJson("actions.json", Actions());
  const Result r = Run({"test", "bad.json", "--actions", "actions.json"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "vendrel: bad.json: " + std::string(GetParam().message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadTestFileTest,
    ::testing::Values(
        BadFile{"WrongType",
                R"({"name": "x", "operation": {"kind": "checkin", "paths": ["a"]},
                    "expect": {"files": [{"path": "a"}, {"path": "b", "state": 3}]}})",
                "tests[1].expect.files[1].state must be a text, not a number"},
        BadFile{"UnknownMember",
                R"({"name": "x", "operation": {"kind": "checkin", "paths": ["a"]},
                    "fixture": {"colour": "red"}})",
                "tests[1].fixture has an unknown member \"colour\""},
        BadFile{"FixtureThatCannotBeBuilt",
                R"({"name": "x", "operation": {"kind": "checkin", "paths": ["Docs\\a.txt"]},
                    "fixture": {"files": [{"path": "Docs\\a.txt", "checkedOutBy": "nobody"}]}})",
                "tests[1].fixture.files[0] cannot be built: the user cannot log in "
                "(0x80040204)"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(ActionTestsTest, AWaitNobodyAnswersEndsAtTheTimeLimitAndFails) {
  json actions = Actions();
  actions["actions"][0]["commands"] = {
      {{"type", 10}, {"summary", ""}, {"path", "C:\\Never\\there.txt"}, {"condition", 0}}};
  WriteJson("actions.json", actions);
  json tests = Tests();
  tests["tests"] = {tests["tests"][0]};
  WriteJson("tests.json", tests);
  const Result r = Run({"test", "tests.json", "--actions", "actions.json", "--timeout", "0.3"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out,
            "FAIL outcome: timed out after 0.3 s: a wait nobody answered was cancelled at the "
            "time limit\n0 passed, 1 failed\n");
}

TEST_F(ActionTestsTest, RecordedExpectationsPassAndHoldWhatTheRunDid) {
  fs::copy(kDemo / "actions.json", dir / "actions.json");
  json tests = json::parse(FileText(kDemo / "tests.json"));
  for (json& test : tests["tests"]) test.erase("expect");
  WriteJson("tests.json", tests);
  const Result recorded = RunOk({"test", "tests.json", "--record"});
  EXPECT_NE(recorded.out.find("recorded a text file is not released\n"), std::string::npos);
  const json written = json::parse(FileText(dir / "tests.json"));
  EXPECT_EQ(written["tests"][2]["expect"]["outcome"], "refused");
  EXPECT_EQ(written["tests"][4]["expect"]["cards"][0]["value"], "by Chief");
  const Result r = RunOk({"test", "tests.json", "--json"});
  EXPECT_EQ(json::parse(r.out)["passed"], 5);

  // A registry value that only the run wrote is recorded too.
  json check = Tests();
  check["tests"] = json::array({check["tests"][0]});
  check["tests"][0].erase("expect");
  WriteJson("check.json", check);
  WriteJson("check-actions.json", Actions());
  RunOk({"test", "check.json", "--actions", "check-actions.json", "--record"});
  EXPECT_EQ(
      json::parse(FileText(dir / "check.json"))["tests"][0]["expect"]["registry"],
      json::parse(R"([{"path": "HKEY_CURRENT_USER\\Software\\Vendrel\\Last", "data": "a.txt"}])"));
  RunOk({"test", "check.json", "--actions", "check-actions.json"});
}

}  // namespace
}  // namespace vendrel::tools
