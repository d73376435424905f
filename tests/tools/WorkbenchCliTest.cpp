// The administrator's workbench end to end: lint, diff and dry runs on vaults on disk.
#include <algorithm>
#include <vector>

#include "tests/tools/CliFixture.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

class WorkbenchTest : public CliTest {};

// The trace with "took 12 ms" as "took ms": run times differ from run to run.
std::string WithoutDurations(std::string trace) {
  for (std::size_t at = trace.find("took "); at != std::string::npos;
       at = trace.find("took ", at + 1)) {
    const std::size_t digits = at + 5;
    trace.erase(digits, trace.find_first_not_of("0123456789", digits) - digits);
  }
  return trace;
}

TEST_F(WorkbenchTest, LintFindsNothingInTheDemoNorInTheTestsActions) {
  const std::string vault = DemoVault(Demo());
  const Result stored = RunOk({"--vault", vault, "lint"});
  EXPECT_EQ(stored.out, "checked 5 action(s): nothing found\n");
  Write("actions.json", kActions);
  EXPECT_EQ(RunOk({"--vault", vault, "lint", "actions.json"}).out,
            "checked 2 action(s): nothing found\n");
  // Without a vault what only a vault knows is not checked, and lint says so.
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  EXPECT_EQ(RunOk({"lint", "actions.acn"}).out,
            "checked 2 action(s): nothing found\nnote: card variables, workflow states and the "
            "vault's root were not checked: give --vault DIR to check them\n");
  const Json json = ParseJson(RunOk({"lint", "actions.acn", "--json"}).out);
  EXPECT_TRUE(json.at("findings").empty());
  EXPECT_TRUE(json.contains("note"));
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
  // Found in the set the vault is to hold, under the ids it gives them.
  EXPECT_NE(imported.out.find("error: \"Stray\" (102), command 1"), std::string::npos);
  EXPECT_NE(imported.out.find("imported \"Stray\" as 102"), std::string::npos);
  const Result stored = Run({"--vault", "v", "--json", "lint"});
  EXPECT_EQ(stored.code, 1);
  EXPECT_EQ(ParseJson(stored.out).at("errors"), 2);
  EXPECT_EQ(ParseJson(stored.out).at("exit"), 1);
  EXPECT_EQ(Run({"lint", "nothere.acn"}).code, 2);
}

// The ids of the stored actions with their names.
std::vector<std::pair<int, std::string>> Stored(const Result& actions) {
  std::vector<std::pair<int, std::string>> stored;
  const Json set = ParseJson(actions.out);
  for (const Json& action : set.at("actions"))
    stored.emplace_back(action.at("id").get<int>(), action.at("name").get<std::string>());
  return stored;
}

TEST_F(WorkbenchTest, ImportUpdatesOrReplacesTheStoredSetAndShowsWhatWouldChange) {
  MakeVault();
  Write("set.json", kActions);
  RunOk({"--vault", "v", "import", "set.json"});
  // Matched by name: the file's ids 7 and 8 are no stored ones.
  const Result again = RunOk({"--vault", "v", "import", "set.json", "--update"});
  EXPECT_NE(again.out.find("updated \"Guard\" (102)\nupdated \"Tools\" (103)\n"), std::string::npos)
      << again.out;
  const Json json =
      ParseJson(RunOk({"--vault", "v", "import", "set.json", "--update", "--json"}).out);
  EXPECT_EQ(json.at("actions")[1], Json({{"change", "updated"}, {"id", 103}, {"name", "Tools"}}));
  EXPECT_EQ(RunOk({"--vault", "v", "import", "set.json", "--update", "--dry-run"}).out,
            "dry run: the stored set would stay as it is\n");
  using Ids = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(Stored(RunOk({"--vault", "v", "actions", "--json"})),
            (Ids{{102, "Guard"}, {103, "Tools"}}));

  // Matched by id, renamed; a new action keeps its free id, and its menu text is found twice
  // only in the set the vault would hold.
  Write("edited.json", R"({"format": "action-file", "actions": [
    {"id": 102, "name": "Keeper", "activation": ["check-out"],
     "checkOut": {"path": "%.txt", "kind": "check-in", "after": false}},
    {"id": 150, "name": "More", "menuText": "Tools\\Run", "activation": ["menu"]}]})");
  const Result dry = RunOk({"--vault", "v", "import", "edited.json", "--update", "--dry-run"});
  EXPECT_NE(dry.out.find("has the menu text \"Tools\\Run\" of the action"), std::string::npos)
      << dry.out;
  EXPECT_NE(dry.out.find("--- vault\n+++ vault with edited.json\n"), std::string::npos) << dry.out;
  EXPECT_NE(dry.out.find("@@ action 150 \"More\" added @@"), std::string::npos) << dry.out;
  EXPECT_EQ(Stored(RunOk({"--vault", "v", "actions", "--json"})),
            (Ids{{102, "Guard"}, {103, "Tools"}}));
  RunOk({"--vault", "v", "import", "edited.json", "--update"});
  EXPECT_EQ(Stored(RunOk({"--vault", "v", "actions", "--json"})),
            (Ids{{102, "Keeper"}, {103, "Tools"}, {150, "More"}}));

  const Result replaced = RunOk({"--vault", "v", "import", "set.json", "--replace"});
  EXPECT_NE(replaced.out.find("removed \"Keeper\" (102)"), std::string::npos) << replaced.out;
  EXPECT_EQ(Stored(RunOk({"--vault", "v", "actions", "--json"})),
            (Ids{{151, "Guard"}, {152, "Tools"}}));
}

TEST_F(WorkbenchTest, DiffShowsOneChangedCommandAndExitsOneWhenSetsDiffer) {
  const std::string vault = DemoVault(Demo());
  RunOk({"--vault", vault, "export", "demo.acn"});
  EXPECT_EQ(RunOk({"--vault", vault, "diff", "demo.acn", "vault"}).out, "");
  std::string json = RunOk({"acn", "to-json", "demo.acn"}).out;
  const std::string path = R"("path": "C:\\Archive")";
  json.replace(json.find(path), path.size(), R"("path": "C:\\Old")");
  Write("changed.json", json);
  const Result diff = Run({"--vault", vault, "diff", "changed.json", "vault"});
  EXPECT_EQ(diff.code, 1);
  EXPECT_NE(diff.out.find("--- changed.json\n+++ vault\n@@ action 103 \"Archive what is checked "
                          "in\" @@\n@@ commands -1,2 +1,2 @@\n-{\"type\": 14"),
            std::string::npos)
      << diff.out;
  const Json listed = ParseJson(RunOk({"diff", "demo.acn", "demo.acn", "--json"}).out);
  EXPECT_EQ(listed.at("differ"), false);
}

TEST_F(WorkbenchTest, ADryRunTracesAsARealRunAndLeavesTheVaultAsItWas) {
  const std::string vault = DemoVault(Demo());
  Write("answers.txt", "C:\\Backup\n");
  const auto snapshot = [&] {
    std::string all;
    for (const auto& entry : fs::recursive_directory_iterator(vault)) {
      const fs::path& path = entry.path();
      if (!entry.is_regular_file() || path.string().ends_with("-wal") ||
          path.string().ends_with("-shm")) {
        continue;
      }
      all += path.string() + "\n" +
             (path.extension() == ".db" ? DatabaseContents(path) : FileText(path));
    }
    return all;
  };
  const std::vector<std::string> backup = {"--vault",
                                           vault,
                                           "--answers",
                                           "answers.txt",
                                           "menu",
                                           "Backup\\Selected files",
                                           "Projects\\plan.txt",
                                           "Projects\\notes.txt"};
  const std::string before = snapshot();
  std::vector<std::string> dry = backup;
  dry.push_back("--dry-run");
  const Result tried = RunOk(dry);
  EXPECT_EQ(snapshot(), before);
  const std::size_t summary = tried.out.find("dry run: nothing was changed");
  ASSERT_NE(summary, std::string::npos) << tried.out;
  EXPECT_NE(tried.out.find("  added C:\\Backup\\plan.txt\n", summary), std::string::npos)
      << tried.out;

  const Result real = RunOk(backup);
  EXPECT_EQ(WithoutDurations(tried.out.substr(0, summary)), WithoutDurations(real.out));
  EXPECT_NE(snapshot(), before);
}

TEST_F(WorkbenchTest, TheRunLogNamesTheFailingCommandOnceSwitchedOn) {
  MakeVault();
  Write("copy.json", R"({"format": "action-file", "actions": [{"id": 7, "name": "Copy",
    "menuText": "Copy", "activation": ["menu"], "commands": [{"type": 19, "summary": "",
    "from": "C:\\Nowhere\\x.txt", "to": "C:\\Else\\x.txt"}]}]})");
  RunOk({"acn", "from-json", "copy.json", "-o", "copy.acn"});
  RunOk({"--vault", "v", "import", "copy.acn"});
  const auto runs = [&] { return ParseJson(RunOk({"log", "--json"}).out).at("runs"); };

  // The copy fails, and so does the command.
  const auto copy = [&] { EXPECT_EQ(Run({"--vault", "v", "menu", "Copy", "a.txt"}).code, 3); };
  copy();
  EXPECT_TRUE(runs().empty());  // off until an administrator switches it on
  RunOk({"log", "on"});         // the registry that VENDREL_REGISTRY names, the vault's too
  copy();
  const Json logged = runs();
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0].at("action"), 102);
  EXPECT_EQ(logged[0].at("notification"), 1);
  EXPECT_EQ(logged[0].at("user"), "Chief");
  EXPECT_EQ(logged[0].at("failed"), "1 Copy file");
  EXPECT_EQ(AsText(logged[0].at("time"), "").at(10), L'T') << "ISO 8601";
  EXPECT_NE(RunOk({"log"}).out.find("\"Copy\" (102)"), std::string::npos);

  RunOk({"--vault", "v", "log", "off"});
  copy();
  EXPECT_EQ(runs().size(), 1u);
}

TEST_F(WorkbenchTest, FoldersAreMadeWithTheirParentsAndAddedWithTheirTrees) {
  MakeVault();
  RunOk({"--vault", "v", "mkdir", "Projects/2026"});
  fs::create_directories(dir / "tree" / "sub");
  Write("tree/top.txt", "top\n");
  for (int i = 0; i < 12; ++i) Write("tree/sub/" + std::to_string(i) + ".txt", "n\n");
  RunOk({"--vault", "v", "add", "tree", "--to", "Projects/2026"});
  EXPECT_NE(RunOk({"--vault", "v", "ls", "Projects/2026/tree/sub"}).out.find("11.txt  v1"),
            std::string::npos);
  EXPECT_NE(RunOk({"--vault", "v", "ls", "Projects/2026/tree"}).out.find("top.txt  v1"),
            std::string::npos);
  const Result missing = Run({"--vault", "v", "add", "tree", "--to", "Nowhere"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing.err, "vendrel: no vault folder C:\\v\\Nowhere; make it with vendrel mkdir\n");

  // A run over many documents lists ten of them unless all are asked for.
  Write("list.json", R"({"format": "action-file", "actions": [{"id": 7, "name": "List",
    "menuText": "List", "activation": ["menu"]}]})");
  RunOk({"acn", "from-json", "list.json", "-o", "list.acn"});
  RunOk({"--vault", "v", "import", "list.acn"});
  const std::string sub = "Projects/2026/tree/sub";
  EXPECT_NE(RunOk({"--vault", "v", "menu", "List", sub}).out.find(" and 2 more\n"),
            std::string::npos);
  EXPECT_EQ(RunOk({"--vault", "v", "--full", "menu", "List", sub}).out.find(" more"),
            std::string::npos);
}

// Local names are UTF-8 whatever the locale: a vault, a file and a folder named beyond ASCII,
// in the C locale where the standard library's own conversion refuses them.
class LocalNameTest : public CliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LocalNameTest, NamesAVaultAFileAndAFolderAsSpelt) {
  before = "LC_ALL=C ";
  const std::string name = GetParam();
  const std::string root = "C:\\" + name;
  EXPECT_NE(RunOk({"init", name}).out.find("with root " + root + " in"), std::string::npos);
  Write(name + ".txt", "file\n");
  fs::create_directories(dir / ("d" + name));
  Write("d" + name + "/" + name + ".txt", "in a folder\n");
  RunOk({"--vault", name, "add", name + ".txt", "d" + name, "--to", root});
  const Json listed = ParseJson(RunOk({"--vault", name, "--json", "ls"}).out);
  EXPECT_EQ(listed.at("folders"), Json::array({"d" + name}));
  EXPECT_EQ(listed.at("files")[0].at("path"), root + "\\" + name + ".txt");
  EXPECT_NE(RunOk({"--vault", name, "ls", "d" + name}).out.find(name + ".txt  v1"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Scripts, LocalNameTest,
                         ::testing::Values("\u00e9t\u00e9", "\u4e2d\u6587", "\U0001F600"));

TEST_F(WorkbenchTest, ListingAndShowingSpeakJsonToo) {
  MakeVault();
  RunOk({"--vault", "v", "mkdir", "Docs"});
  RunOk({"--vault", "v", "checkout", "a.txt"});
  RunOk({"--vault", "v", "checkin", "a.txt", "--comment", "second"});
  const Json listed = ParseJson(RunOk({"--vault", "v", "--json", "ls"}).out);
  EXPECT_EQ(listed.at("folders"), Json::array({"Docs"}));
  EXPECT_EQ(listed.at("files")[0].at("path"), "C:\\v\\a.txt");
  EXPECT_EQ(listed.at("files")[0].at("version"), 2);
  const Json shown = ParseJson(RunOk({"--vault", "v", "--json", "show", "a.txt"}).out);
  EXPECT_EQ(shown.at("versions").size(), 2u);
  EXPECT_EQ(shown.at("versions")[1].at("comment"), "second");
  EXPECT_EQ(shown.at("state"), "Draft");
}

TEST_F(WorkbenchTest, AFailedInitLeavesNothingBehind) {
  const Result failed = Run({"init", "w", "--user", "Chief", "--user", "chief"});
  EXPECT_EQ(failed.code, 2);
  EXPECT_NE(failed.err.find("no vault was made"), std::string::npos) << failed.err;
  EXPECT_FALSE(fs::exists(dir / "w"));
  // The folder itself, named by its own name.
  fs::create_directory(dir / "x");
  EXPECT_NE(RunOk({"init", "x/."}).out.find("with root C:\\x in"), std::string::npos);
}

}  // namespace
}  // namespace vendrel::tools
