// Lint over loaded actions: each kind of fault it knows, and what it must not call a fault.
#include "tools/vendrel/workbench/Lint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vendrel::tools {
namespace {

struct Fault {
  const char* name;
  std::string actions;  // the set's actions in their JSON form
  std::vector<std::string> lines;
};

// A menu action of id 1 named "A" with these commands and variables.
std::string Menu(const std::string& commands, const std::string& variables = "[]") {
  return R"({"id": 1, "name": "A", "menuText": "A", "activation": ["menu"], "commands": )" +
         commands + R"(, "variables": )" + variables + "}";
}

std::vector<Finding> LintJson(const std::string& actions, const LintVault& vault) {
  return Lint(LintSubjectsOfJson(ParseJson(R"({"actions": [)" + actions + "]}")), vault);
}

class LintFaultTest : public testing::TestWithParam<Fault> {};

TEST_P(LintFaultTest, IsFoundWithItsExactText) {
  LintVault vault;
  vault.cardVariables = {{{L"Part number", 1}, {L"Due", 5}}};
  vault.rootPath = L"C:\\Vault";
  vault.stateIds = {{1, 2, 3}};
  std::vector<std::string> lines;
  for (const Finding& finding : LintJson(GetParam().actions, vault)) {
    lines.push_back(FindingLine(finding));
  }
  EXPECT_EQ(lines, GetParam().lines);
}

// A jump to `label` with the operator `op`.
std::string Jump(const std::string& label, int op = 1) {
  return R"({"type": 8, "variable": "a", "value": "b", "ignoreCase": true, "operator": )" +
         std::to_string(op) + R"(, "label": ")" + label + "\"}";
}

// A set-card-variable command that writes `variable` as a text.
std::string SetCard(const std::string& variable) {
  return R"([{"type": 25, "item": 0, "filePath": "", "folderPath": "", "value": "x", "variable": ")" +
         variable + R"(", "variableType": 1, "configurations": []}])";
}

const Fault kFaults[] = {
    {"RunnerRefuses",
     Menu(R"([{"type": 4}])"),
     {"error: \"A\" (1): the runner refuses to start it: Mismatch error. There are 1 start blocks "
      "and 0 end blocks in this action."}},
    {"DocumentLoopEndsFirst",
     Menu(R"([{"type": 5}, {"type": 4}])"),
     {"error: \"A\" (1): the runner refuses to start it: Mismatch error. There are 0 start blocks "
      "and 1 end blocks in this action.",
      "error: \"A\" (1), command 1: ends a document loop that has not started."}},
    {"ConfigLoopEndsFirst",
     Menu(R"([{"type": 21}])"),
     {"warning: \"A\" (1), command 1: ends a configuration loop that has not started; the run goes "
      "on after it."}},
    {"ConfigLoopNeverEnds",
     Menu(R"([{"type": 20}])"),
     {"warning: \"A\" (1), command 1: starts a configuration loop that never ends, so the run ends "
      "after its last pass."}},
    {"LabelTwice",
     Menu(R"([{"type": 2, "summary": "L"}, {"type": 2, "summary": "L"}, )" + Jump("L") + "]"),
     {"warning: \"A\" (1), command 2: defines the label \"L\" a second time; a jump reaches "
      "whichever comes first after it."}},
    {"LabelUnused",
     Menu(R"([{"type": 2, "summary": "L"}])"),
     {"warning: \"A\" (1), command 1: defines the label \"L\", to which no command jumps."}},
    {"JumpToNoLabel",
     Menu("[" + Jump("Nowhere") + "]"),
     {"error: \"A\" (1), command 1: jumps to the label \"Nowhere\", which the action does not "
      "define."}},
    {"EndlessJump",
     Menu(R"([{"type": 2, "summary": "L"}, {"type": 3, "message": "x"}, )" + Jump("L", 0) + "]"),
     {"error: \"A\" (1), command 3: always jumps back to the label \"L\" and nothing between "
      "leaves that loop, so the run never ends."}},
    {"UnknownReference",
     Menu(R"([{"type": 3, "message": "%Nosuch% 100%%"}])"),
     {"warning: \"A\" (1), command 1: refers to %Nosuch%, which is neither a variable of the "
      "action, a built-in name nor a card variable of the vault."}},
    {"RuntimeReadBeforeSet",
     Menu(
         R"([{"type": 3, "message": "%Answer%"}, {"type": 1, "prompt": "?", "variable": "Answer"}])",
         R"([{"name": "Answer", "type": 116}])"),
     {"warning: \"A\" (1), command 1: reads the runtime variable \"Answer\" before any command "
      "sets it."}},
    {"AnswerLost",
     Menu(R"([{"type": 1, "prompt": "?", "variable": "Lost"}])"),
     {"warning: \"A\" (1), command 1: keeps its answer in \"Lost\", which is not a variable of the "
      "action, so the answer is lost."}},
    {"SelfReference",
     Menu("[]", R"([{"name": "Loop", "type": 100, "value": "a%Loop2%"},
      {"name": "Loop2", "type": 100, "value": "%Loop%"}])"),
     {"error: \"A\" (1): the value of the variable \"Loop\" refers to itself through %Loop2%, so "
      "it never expands in full."}},
    {"KindUnknown",
     Menu(R"([{"type": 3, "message": "x"}, {"type": 99, "payload": ""}])"),
     {"error: \"A\" (1), command 2: is of kind 99, which this build cannot make, so the add-in "
      "cannot load the set."}},
    {"Unreadable",
     Menu(R"([{"type": 3}])"),
     {"error: \"A\" (1): cannot be read: actions[0].commands[0] lacks \"message\"."}},
    {"NoActivation",
     R"({"id": 1, "name": "A"})",
     {"warning: \"A\" (1): has no activation, so it never runs."}},
    {"PathNeverMatches",
     R"({"id": 1, "name": "A", "activation": ["check-out", "add"],
      "checkOut": {"path": "D:\\Other\\%", "kind": "check-in"}, "add": {"path": "Projects\\%"}})",
     {"warning: \"A\" (1): has the check-out path pattern \"D:\\Other\\%\", which never matches: "
      "it starts neither with % nor with the vault's root C:\\Vault.",
      "warning: \"A\" (1): has the add path pattern \"Projects\\%\", which never matches: it "
      "starts neither with % nor with the vault's root C:\\Vault."}},
    {"MenuTextEmpty",
     R"({"id": 1, "name": "A", "activation": ["menu"]})",
     {"warning: \"A\" (1): runs from the menu but has an empty menu text, so its command has no "
      "name."}},
    {"StateUnknown",
     R"({"id": 1, "name": "A", "activation": ["state-change"],
      "stateChange": {"path": "%", "stateId": 7}})",
     {"warning: \"A\" (1): runs on the change to the state of id 7, which the vault does not "
      "have, so it never runs."}},
    {"CardVariableOfAnotherType",
     Menu(SetCard("due")),
     {"error: \"A\" (1), command 1: writes the card variable \"due\" as type 1, but the vault's "
      "is of type 5, so the command fails."}},
    {"CardVariableMissing",
     Menu(SetCard("Size")),
     {"error: \"A\" (1), command 1: writes the card variable \"Size\", which the vault does not "
      "have, so the command fails."}},
    {"MenuTextTwice",
     Menu("[]") + R"(, {"id": 2, "name": "B", "menuText": "a", "activation": ["menu"]})",
     {"warning: \"B\" (2): has the menu text \"a\" of the action \"A\", so the menu shows two "
      "commands alike."}},
};

INSTANTIATE_TEST_SUITE_P(EachKind, LintFaultTest, testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// What lint cannot know without the vault it does not hold against the actions.
TEST(LintTest, CardVariablesAndTheRootAreCheckedOnlyWhenKnown) {
  const std::string action = R"({"id": 102, "name": "A", "activation": ["check-out"],
    "checkOut": {"path": "C:\\Vault\\Projects\\%.txt"},
    "commands": [{"type": 3, "message": "%part NUMBER% of %NameOfLoggedInUser%"}]})";
  EXPECT_TRUE(LintJson(action, {}).empty());
  LintVault vault;
  vault.rootPath = L"c:\\vault";
  vault.cardVariables = {{{L"Part number", 1}}};
  EXPECT_TRUE(LintJson(action, vault).empty());
  vault.rootPath = L"C:\\Other";
  vault.cardVariables = {{{L"Revision", 1}}};
  EXPECT_EQ(LintJson(action, vault).size(), 2u);
}

TEST(LintTest, AJumpBackIsEndlessOnlyWithoutAWayOut) {
  // Label L, the body, a jump back to L that always jumps, then the tail.
  const auto loop = [](const std::string& body, const std::string& tail = "") {
    const std::string commands =
        R"([{"type": 2, "summary": "L"}, )" + body +
        R"(, {"type": 8, "operator": 0, "label": "L", "variable": "", "value": "", "ignoreCase": true})" +
        tail + "]";
    return HasErrors(LintJson(Menu(commands), {}));
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
