// Lint over sets in their JSON form: each fault it knows, and what it must not call a fault.
#include "tools/vendrel/workbench/Lint.h"

#include <gtest/gtest.h>

#include <tuple>


namespace vendrel::tools {
namespace {

// One action set with every fault lint knows.
constexpr const char* kFaulty = R"({"format": "action-file", "version": 1600, "actions": [
 {"id": 201, "name": "Blocks", "menuText": "Tools\\Run", "activation": ["menu"],
  "commands": [{"type": 5, "summary": "Block END"}, {"type": 4, "summary": "Block START"},
               {"type": 21, "summary": "Block END"}, {"type": 20, "summary": "Block START"}]},
 {"id": 202, "name": "Jumps", "menuText": "tools\\run", "activation": ["menu"],
  "commands": [{"type": 2, "summary": "Top"}, {"type": 2, "summary": "Top"},
               {"type": 2, "summary": "Unused"},
               {"type": 8, "operator": 1, "label": "Nowhere", "variable": "%Answer%",
                "value": "x", "ignoreCase": true},
               {"type": 3, "message": "%Answer% %Nosuch% %Loop% %NameOfSelectedFile% 100%%"},
               {"type": 1, "prompt": "?", "variable": "Answer"},
               {"type": 1, "prompt": "%Answer%", "variable": "Lost"},
               {"type": 99, "payload": ""}],
  "variables": [{"name": "Answer", "type": 116}, {"name": "Loop", "type": 100, "value": "a%Loop2%"},
                {"name": "Loop2", "type": 100, "value": "%Loop%"}]},
 {"id": 203, "name": "Idle"},
 {"id": 204, "name": "Elsewhere", "activation": ["check-out", "add"],
  "checkOut": {"path": "D:\\Other\\%", "kind": "check-in"}, "add": {"path": "Projects\\%"}},
 {"id": 205, "name": "Spin", "activation": ["menu"], "menuText": "Spin",
  "commands": [{"type": 2, "summary": "Again"}, {"type": 3, "message": "once more"},
               {"type": 8, "operator": 0, "label": "Again", "variable": "", "value": "",
                "ignoreCase": true}]}
]})";

using Seen = std::tuple<std::int32_t, std::size_t, Severity, std::wstring>;

// Action, command, severity and the message's first three words.
std::vector<Seen> Summaries(const std::vector<Finding>& findings) {
  std::vector<Seen> seen;
  for (const Finding& f : findings) {
    std::size_t end = 0;
    for (int words = 0; words < 3 && end != std::wstring::npos; ++words) {
      end = f.message.find(L' ', end + 1);
    }
    seen.emplace_back(f.actionId, f.command, f.severity, f.message.substr(0, end));
  }
  return seen;
}

constexpr auto kError = Severity::kError;
constexpr auto kWarning = Severity::kWarning;

TEST(LintTest, FindsEachFaultItKnowsWhereItIs) {
  LintVault vault;
  vault.cardVariables = std::vector<std::wstring>{L"Part number"};
  vault.rootPath = L"C:\\Vault";
  const std::vector<Finding> findings = Lint(ParseJson(kFaulty), vault);
  const std::vector<Seen> expected = {
      {201, 0, kError, L"the runner refuses"},
      {201, 1, kError, L"ends a document"},
      {201, 3, kWarning, L"ends a configuration"},
      {201, 4, kWarning, L"starts a configuration"},
      {202, 0, kError, L"the value of"},
      {202, 1, kWarning, L"defines the label"},
      {202, 2, kWarning, L"defines the label"},
      {202, 3, kWarning, L"defines the label"},
      {202, 4, kError, L"jumps to the"},
      {202, 4, kWarning, L"reads the runtime"},
      {202, 5, kWarning, L"refers to %Nosuch%,"},
      {202, 7, kWarning, L"keeps its answer"},
      {202, 8, kError, L"is of kind"},
      {203, 0, kWarning, L"has no activation,"},
      {204, 0, kWarning, L"has the check-out"},
      {204, 0, kWarning, L"has the add"},
      {205, 3, kError, L"always jumps back"},
      {202, 0, kWarning, L"has the menu"},
  };
  EXPECT_EQ(Summaries(findings), expected);
  EXPECT_TRUE(HasErrors(findings));
  EXPECT_EQ(FindingLine(findings[1]),
            "error: \"Blocks\" (201), command 1: ends a document loop that has not started.");
  EXPECT_NE(findings[4].message.find(L"\"Loop\" refers to itself through %Loop2%"),
            std::wstring::npos);

  const Json json = FindingsJson(findings);
  EXPECT_EQ(json.at("errors"), 6);
  EXPECT_EQ(json.at("warnings"), 12);
  EXPECT_EQ(json.at("findings")[8].at("command"), 4);
}

// What lint cannot know without the vault it does not hold against the actions.
TEST(LintTest, CardVariablesAndTheRootAreCheckedOnlyWhenKnown) {
  const Json set = ParseJson(R"({"actions": [{"id": 102, "name": "A",
    "activation": ["check-out"], "checkOut": {"path": "C:\\Vault\\Projects\\%.txt"},
    "commands": [{"type": 3, "message": "%part NUMBER% of %NameOfLoggedInUser%"}]}]})");
  EXPECT_TRUE(Lint(set, {}).empty());
  LintVault vault;
  vault.rootPath = L"c:\\vault";
  vault.cardVariables = std::vector<std::wstring>{L"Part number"};
  EXPECT_TRUE(Lint(set, vault).empty());
  vault.rootPath = L"C:\\Other";
  vault.cardVariables = std::vector<std::wstring>{L"Revision"};
  const std::vector<Seen> expected = {{102, 0, kWarning, L"has the check-out"},
                                      {102, 1, kWarning, L"refers to %part"}};
  EXPECT_EQ(Summaries(Lint(set, vault)), expected);
}

TEST(LintTest, AJumpBackIsEndlessOnlyWithoutAWayOut) {
  // Label L, the body, a jump back to L that always jumps, then the tail.
  const auto loop = [](const std::string& body, const std::string& tail = "") {
    const std::string commands =
        R"([{"type": 2, "summary": "L"}, )" + body +
        R"(, {"type": 8, "operator": 0, "label": "L", "variable": "", "value": "", "ignoreCase": true})" +
        tail + "]";
    return HasErrors(Lint(ParseJson(R"({"actions": [{"id": 102, "name": "A",
      "activation": ["menu"], "commands": )" +
                                    commands + "}]}"),
                          {}));
  };
  EXPECT_TRUE(loop(R"({"type": 3, "message": "again"})"));
  EXPECT_TRUE(loop(R"({"type": 8, "operator": 7, "label": "L", "variable": "", "value": "",
                       "ignoreCase": true})"));  // never jumps
  EXPECT_FALSE(loop(R"({"type": 8, "operator": 1, "label": "Out", "variable": "a", "value": "b",
                        "ignoreCase": true})",
                    R"(, {"type": 2, "summary": "Out"})"));
  // When the documents run out, their loop skips past its end, after the jump.
  EXPECT_FALSE(loop(R"({"type": 4}, {"type": 3, "message": "x"})", R"(, {"type": 5})"));
}

}  // namespace
}  // namespace vendrel::tools
