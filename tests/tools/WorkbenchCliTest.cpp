// The administrator's workbench end to end: lint, diff and dry runs on vaults on disk.
#include "tests/tools/CliFixture.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

class WorkbenchTest : public CliTest {};

TEST_F(WorkbenchTest, LintFindsNothingInTheDemoNorInTheTestsActions) {
  const std::string vault = DemoVault(Demo());
  const Result stored = RunOk({"--vault", vault, "lint"});
  EXPECT_EQ(stored.out, "");
  Write("actions.json", kActions);
  EXPECT_EQ(RunOk({"--vault", vault, "lint", "actions.json"}).out, "");
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  const Json json = ParseJson(RunOk({"lint", "actions.acn", "--json"}).out);
  EXPECT_TRUE(json.at("findings").empty());
}

TEST_F(WorkbenchTest, LintFailsOnErrorsAndImportShowsTheFindings) {
  MakeVault();
  Write("faulty.json", R"({"format": "action-file", "actions": [
    {"id": 7, "name": "Stray", "activation": ["menu"], "menuText": "Stray",
     "commands": [{"type": 5, "summary": "Block END"}]},
    {"id": 8, "name": "Idle"}]})");
  const Result lint = Run({"lint", "faulty.json"});
  EXPECT_EQ(lint.code, 1);
  EXPECT_NE(lint.out.find("error: \"Stray\" (7), command 1: ends a document loop"),
            std::string::npos)
      << lint.out;
  EXPECT_NE(lint.out.find("warning: \"Idle\" (8): has no activation"), std::string::npos);

  RunOk({"acn", "from-json", "faulty.json", "-o", "faulty.acn"});
  const Result imported = RunOk({"--vault", "v", "import", "faulty.acn"});
  EXPECT_NE(imported.out.find("error: \"Stray\" (7), command 1"), std::string::npos);
  EXPECT_NE(imported.out.find("imported \"Stray\" as 102"), std::string::npos);
  const Result stored = Run({"--vault", "v", "--json", "lint"});
  EXPECT_EQ(stored.code, 1);
  EXPECT_EQ(ParseJson(stored.out).at("errors"), 2);
  EXPECT_EQ(Run({"lint", "nothere.acn"}).code, 2);
}

}  // namespace
}  // namespace vendrel::tools
