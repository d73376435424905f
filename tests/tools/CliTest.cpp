// The vendrel program end to end: each form run as a person would, on a vault on disk.
#include <array>
#include <cstdio>

#include "tests/tools/CliFixture.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, InitAddAndInspect) {
  MakeVault();
  const Result ls = RunOk({"--vault", "v", "ls"});
  EXPECT_NE(ls.out.find("a.txt  v1  Draft"), std::string::npos) << ls.out;
  EXPECT_NE(ls.out.find("b.txt"), std::string::npos);

  RunOk({"--vault", "v", "--user", "anna", "checkout", "a.txt"});
  const Result show = RunOk({"--vault", "v", "show", "C:\\v\\a.txt"});
  EXPECT_NE(show.out.find("checked out by anna"), std::string::npos) << show.out;
  // The vault refuses another user's check in: exit 1.
  const Result refused = Run({"--vault", "v", "--user", "Chief", "checkin", "a.txt"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.out.find("checkin failed"), std::string::npos) << refused.out;
  const Result checkin =
      RunOk({"--vault", "v", "--user", "anna", "checkin", "a.txt", "--comment", "second"});
  EXPECT_NE(checkin.out.find("checkin done\n  a.txt  v2  Draft\n"), std::string::npos)
      << checkin.out;
  EXPECT_NE(RunOk({"--vault", "v", "show", "a.txt"}).out.find("\"second\""), std::string::npos);

  RunOk({"--vault", "v", "checkout", "b.txt"});
  RunOk({"--vault", "v", "undo-checkout", "b.txt"});
  EXPECT_EQ(RunOk({"--vault", "v", "show", "b.txt"}).out.find("checked out"), std::string::npos);
  EXPECT_EQ(Run({"--vault", "v", "undo-checkout", "b.txt"}).code, 1);  // not checked out

  RunOk({"--vault", "v", "state", "a.txt", "--to", "Release.Review"});
  EXPECT_NE(RunOk({"--vault", "v", "ls"}).out.find("a.txt  v2  Review"), std::string::npos);
}

TEST_F(CliTest, BadUsageExitsWithTwoAndOneLine) {
  MakeVault();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--vault", "v", "frobnicate"},
        {"checkout", "a.txt"},  // no vault
        {"--vault", "v", "checkout", "nothere.txt"},
        {"--vault", "v", "state", "a.txt", "--to", "Release.Nowhere"},
        {"--vault", "v", "menu", "No such menu"},
        {"init", "v"},  // exists already
        {"acn", "to-json", "missing.acn"},
        {"acn"},  // a group without its command
        {"--vault", "v", "add", "a.txt"},
        {"--vault", "v", "checkin", "a.txt", "--comment"},
        {"--vault", "v", "var", "define", "Due", "--type", "day"},
        {"--vault", "v", "var", "define", "Due", "--type", "date", "--flags", "-4"},
        {"--vault", "v", "var", "define", "Due", "--type", "date", "--flags", "4x"},
        {"--vault", "v", "--answers", ".", "ls"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 2) << args.back();
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(r.err.starts_with("vendrel: ")) << r.err;
  }
  ::setenv("VENDREL_VAULT", (dir / "v").c_str(), 1);
  EXPECT_EQ(Run({"ls"}).code, 0);
}

// --json may come before or after the command, and turns a refusal into JSON as well; what
// commands do is told in JSON with its exit code, and values keep their types.
TEST_F(CliTest, JsonIsTakenAnywhereAndErrorsAreJsonToo) {
  MakeVault();
  for (const std::vector<std::string>& command : {std::vector<std::string>{"actions"},
                                                  {"show", "a.txt"},
                                                  {"users"},
                                                  {"ls"},
                                                  {"registered"}}) {
    std::vector<std::string> before{"--json", "--vault", "v"};
    before.insert(before.end(), command.begin(), command.end());
    std::vector<std::string> after{"--vault", "v"};
    after.insert(after.end(), command.begin(), command.end());
    after.push_back("--json");
    const Result first = RunOk(before);
    EXPECT_EQ(first.out, RunOk(after).out);
    EXPECT_NO_THROW(ParseJson(first.out)) << first.out;
  }
  Write("actions.json", kActions);
  for (const auto& [command, code] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{"init", "w"}, 0},
           {{"--vault", "v", "mkdir", "Docs"}, 0},
           {{"--vault", "v", "import", "actions.json"}, 0},
           {{"--vault", "v", "export", "x.acn"}, 0},
           {{"acn", "from-json", "actions.json", "-o", "y.acn"}, 0},
           {{"--vault", "v", "lint"}, 0},
           {{"--vault", "v", "diff", "actions.json", "vault"}, 1}}) {
    std::vector<std::string> args = command;
    args.push_back("--json");
    const Result r = Run(args);
    EXPECT_EQ(r.code, code) << command.back() << r.err;
    EXPECT_EQ(ParseJson(r.out).at("exit"), code) << r.out;
  }
  EXPECT_NE(RunOk({"--vault", "v", "registered"}).out.find("menu 100 \"Administrate Actions...\""),
            std::string::npos);
  RunOk({"--vault", "v", "var", "define", "Due", "--type", "date"});
  RunOk({"--vault", "v", "var", "define", "Count", "--type", "integer"});
  RunOk({"--vault", "v", "card", "set", "a.txt", "Due=2024-02-29 13:30", "Count=7"});
  const Json shown = ParseJson(RunOk({"--vault", "v", "show", "a.txt", "--json"}).out);
  EXPECT_EQ(shown.at("card"), Json({{"Due", "2024-02-29T13:30:00"}, {"Count", 7}}));
  EXPECT_EQ(AsText(shown.at("versions")[0].at("time"), "").at(10), L'T');

  const Result refused = Run({"--vault", "v", "show", "nothere.txt", "--json"});
  EXPECT_EQ(refused.code, 2);
  EXPECT_TRUE(refused.err.empty()) << refused.err;
  const Json error = ParseJson(refused.out);
  EXPECT_EQ(error["exit"], 2);
  EXPECT_EQ(error["error"], "no vault file C:\\v\\nothere.txt");
}

// The database's own wording (constraint names, "file is not a database") never reaches a user.
TEST_F(CliTest, RefusedVaultsSayWhyInTheirOwnWordsAndLeaveNothingBehind) {
  const Result twice = Run({"init", "w", "--user", "Anna", "--user", "anna"});
  EXPECT_EQ(twice.code, 2);
  EXPECT_NE(twice.err.find("\"anna\" is the user \"Anna\""), std::string::npos) << twice.err;
  EXPECT_FALSE(fs::exists(dir / "w"));

  fs::create_directories(dir / "kept");
  Write("kept/notes.txt", "mine");
  EXPECT_EQ(Run({"init", "kept", "--user", "Bo", "--user", "BO"}).code, 2);
  EXPECT_EQ(fs::directory_iterator(dir / "kept")->path().filename(), "notes.txt");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "kept"), fs::directory_iterator()), 1);

  Write("kept/vault.db", "this is no database, but long enough to look like a header......");
  const Result damaged = Run({"--vault", "kept", "ls"});
  EXPECT_EQ(damaged.code, 2);
  EXPECT_NE(damaged.err.find("damaged or is no vault"), std::string::npos) << damaged.err;
  for (const Result& r : {twice, damaged}) {
    EXPECT_EQ(r.err.find("UNIQUE"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("file is not a database"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST_F(CliTest, ImportedActionsRegisterAndRunAroundTheOperations) {
  MakeVault();
  Write("actions.json", kActions);
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  const Result imported = RunOk({"--vault", "v", "import", "actions.acn"});
  EXPECT_NE(imported.out.find("\"Guard\" as 102"), std::string::npos) << imported.out;
  EXPECT_NE(imported.out.find("\"Tools\" as 103"), std::string::npos);

  const Result registered = RunOk({"--vault", "v", "--user", "anna", "registered"});
  EXPECT_NE(registered.out.find("menu 103 \"Tools\\Run\" flags 0x00004000"), std::string::npos)
      << registered.out;
  EXPECT_NE(registered.out.find("hook 5 before check in"), std::string::npos);

  RunOk({"--vault", "v", "checkout", "a.txt"});
  const Result checkin = RunOk({"--vault", "v", "--json", "checkin", "a.txt"});
  const Json json = ParseJson(checkin.out);
  EXPECT_EQ(json.at("veto"), 0);
  const Json& runs = json.at("runs");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].at("action"), 102);
  EXPECT_EQ(runs[0].at("notification"), 5);
  EXPECT_EQ(runs[0].at("documents")[0], "a.txt");
  const Json& notifications = json.at("notifications");
  ASSERT_EQ(notifications.size(), 1u);
  EXPECT_EQ(notifications[0].at("kind"), 5);
  EXPECT_EQ(notifications[0].at("items"), 1);
  EXPECT_EQ(json.at("files")[0].at("path"), "C:\\v\\a.txt");

  // A file and a folder: the folder's files follow.
  const Result menu = RunOk({"--vault", "v", "menu", "Tools\\Run", "a.txt", "C:\\v"});
  EXPECT_NE(menu.out.find("run \"Tools\" (103) over 3 document(s) a.txt a.txt b.txt"),
            std::string::npos)
      << menu.out;

  // Export gives the vault's actions with their new ids; importing again adds copies.
  RunOk({"--vault", "v", "export", "all.acn"});
  const Json exported = ParseJson(RunOk({"acn", "to-json", "all.acn"}).out);
  EXPECT_EQ(exported.at("actions")[1].at("id"), 103);
  RunOk({"--vault", "v", "import", "all.acn"});
  const Json listed = ParseJson(RunOk({"--vault", "v", "actions", "--json"}).out);
  EXPECT_EQ(listed.at("actions").size(), 4u);
}

TEST_F(CliTest, ADamagedStoredSetIsNeitherOverwrittenByImportNorExported) {
  MakeVault();
  Write("actions.json", kActions);
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  RunOk({"--vault", "v", "import", "actions.acn"});
  const std::string damage =
      "sqlite3 " + Quote((dir / "v" / "vault.db").string()) +
      " \"UPDATE dictionary_entries SET text = substr(text, 1, 40) WHERE key = 0\"";
  ASSERT_EQ(std::system(damage.c_str()), 0);
  const std::string read = "sqlite3 " + Quote((dir / "v" / "vault.db").string()) +
                           " 'SELECT key, text FROM dictionary_entries ORDER BY key' > stored.txt";
  const auto stored = [&] {
    EXPECT_EQ(std::system(("cd " + Quote(dir.string()) + " && " + read).c_str()), 0);
    return FileText(dir / "stored.txt");
  };
  const std::string before = stored();
  RunOk({"log", "on"});

  for (const char* command : {"import", "export"}) {
    const Result r = Run(
        {"--vault", "v", command, command == std::string("import") ? "actions.acn" : "out.acn"});
    EXPECT_EQ(r.code, 2) << command;
    // The add-in loaded for an import says nothing itself.
    const bool import = command == std::string("import");
    const auto told = [](const char* consequence) {
      return std::string("the vault's stored actions are damaged and cannot be read; ") +
             consequence + ": restore the vault from a backup, then import the actions again\n";
    };
    EXPECT_EQ(r.err, import ? "vendrel: warning: " + told("no action runs") +
                                  "vendrel: " + told("nothing was changed")
                            : "vendrel: " + told("nothing was exported"));
  }
  EXPECT_EQ(stored(), before);
  EXPECT_FALSE(fs::exists(dir / "out.acn"));
  // The run log keeps what the add-in could not say: the warning of the import's load.
  const Json notes = ParseJson(RunOk({"log", "--json"}).out).at("notes");
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].at("note"),
            "the vault's stored actions are damaged and cannot be read; no action runs: restore "
            "the vault from a backup, then import the actions again");
  EXPECT_EQ(notes[0].at("user"), "Chief");
}

TEST_F(CliTest, TheDemoShowsAMenuRunACheckInRunAVetoAndACardValue) {
  const Result demo = Demo();
  const auto shows = [&](const std::string& text) {
    EXPECT_NE(demo.out.find(text), std::string::npos) << text << "\n" << demo.out;
  };
  shows("run \"Back up selected files\" (102) over 2 document(s) plan.txt notes.txt");
  shows("dialog \"Back up into which folder?\" choices: C:\\Backup | C:\\Safe -> C:\\Safe");
  shows("C:\\Safe now holds: notes.txt plan.txt");
  shows("after check in (notification 6)");
  shows("C:\\Archive now holds: plan.txt");
  shows("marks the action for veto\n      took ");
  shows(" ms\n    answered 0x00000000, refresh 0, veto 1\nstate refused by the add-in");
  shows("plan.txt  v2  Review");  // the refused change left the state alone
  shows("  Reviewed = by Chief\n");
  shows("anna's inbox: from Chief, \"Reviewed\": please have a look");
  // Each step but the refused state change ran as it should.
  EXPECT_EQ(demo.out.find("not all used"), std::string::npos) << demo.out;
  EXPECT_EQ(demo.out.find("did not run as it should"), std::string::npos) << demo.out;
}

// An action that asks three times: an edit box, a yes/no box, an OK box.
constexpr const char* kAsking = R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 9, "name": "Ask", "menuText": "Ask", "activation": ["menu"],
   "variables": [{"name": "Who", "type": 116}, {"name": "Sure", "type": 116}],
   "commands": [
     {"type": 1, "summary": "Who", "prompt": "Your name?", "variable": "Who"},
     {"type": 7, "summary": "Sure = yes || no", "prompt": "Sure, %Who%?", "variable": "Sure",
      "yes": "yes", "no": "no"},
     {"type": 3, "summary": "Said", "message": "%Who% said %Sure%"}]}]})";

TEST_F(CliTest, DialogsAndMessageBoxesTakeTheAnswerLinesInTurn) {
  MakeVault();
  Write("asking.json", kAsking);
  RunOk({"acn", "from-json", "asking.json", "-o", "asking.acn"});
  RunOk({"--vault", "v", "import", "asking.acn"});

  Write("answers.txt", "# the name\nBob Smith\nNo\nOK\n");
  const Result answered = RunOk({"--vault", "v", "--answers", "answers.txt", "menu", "Ask"});
  const auto shows = [](const Result& r, const std::string& text) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  };
  shows(answered, "dialog \"Your name?\" -> Bob Smith");
  shows(answered, "Sure, Bob Smith? -> No");
  shows(answered, "Bob Smith said no -> OK");
  EXPECT_EQ(answered.err, "");

  // Nobody answers: the dialog is cancelled, the boxes dismissed, each with a note.
  const Result alone = RunOk({"--vault", "v", "menu", "Ask"});
  shows(alone, "dialog \"Your name?\" -> cancelled (no answer)");
  shows(alone, "Sure, ? -> No");
  EXPECT_NE(alone.err.find("no answer for the \"Your name?\"; cancelled"), std::string::npos)
      << alone.err;

  // The JSON form keeps the dialog with the command that showed it.
  const Result json = RunOk({"--vault", "v", "--json", "--answers", "answers.txt", "menu", "Ask"});
  const Json parsed = ParseJson(json.out);
  EXPECT_EQ(parsed.at("runs")[0].at("commands")[0].at("messages")[0],
            "\"Your name?\" -> Bob Smith");
}

// Answer files as editors save them, and answers that do not fit: each named on the error stream,
// with exit code 3 and the same code in the JSON report.
struct AnswerFile {
  const char* text;
  int code;
  const char* note;
};

class AnswerFileTest : public CliTest, public ::testing::WithParamInterface<AnswerFile> {};

TEST_P(AnswerFileTest, GivesTheExitCodeOfHowTheAnswersFitted) {
  MakeVault();
  Write("asking.json", kAsking);
  RunOk({"acn", "from-json", "asking.json", "-o", "asking.acn"});
  RunOk({"--vault", "v", "import", "asking.acn"});
  Write("answers.txt", GetParam().text);
  const Result r = Run({"--vault", "v", "--answers", "answers.txt", "menu", "Ask"});
  EXPECT_EQ(r.code, GetParam().code) << r.out << r.err;
  EXPECT_NE(r.err.find(GetParam().note), std::string::npos) << r.err;
  const Result json = Run({"--vault", "v", "--answers", "answers.txt", "menu", "Ask", "--json"});
  EXPECT_EQ(ParseJson(json.out).at("exit"), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    CliTest, AnswerFileTest,
    ::testing::Values(AnswerFile{"\xEF\xBB\xBF"
                                 "# by an editor\r\nBob\r\nNo\r\nOK\r\n",
                                 0, ""},
                      AnswerFile{"Bob\nMaybe\nOK\n", 3, "\"Maybe\" names no button"},
                      AnswerFile{"click 999\nNo\nOK\n", 3, "\"click 999\" names control 999"},
                      AnswerFile{"Bob\n", 3, "no scripted answer left"},
                      AnswerFile{"Bob\nNo\nOK\nYes\n", 3, "the first left is \"Yes\""}));

// The administration command's dialogs answered step by step: an action made, saved, then run.
TEST_F(CliTest, TheAdministratorMakesAnActionByAnswerSteps) {
  MakeVault();
  Write("steps.txt", R"(click 207
text 233 Make folder
check 211
text 214 Tools\Make folder
click 207
choose 232 Create folder
ok
text 343 C:\v\made
ok
ok
ok
)");
  const Result admin = RunOk({"--vault", "v", "--user", "Chief", "--answers", "steps.txt", "menu",
                              "Administrate Actions"});
  const auto shows = [](const Result& r, const std::string& text) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  };
  // Named by their captions, each outer step before the steps of the dialog it opened.
  shows(admin, R"(  dialog "Administrate actions" -> click 207
  dialog "Edit Action" -> text 233 Make folder
  dialog "Edit Action" -> check 211
  dialog "Edit Action" -> text 214 Tools\Make folder
  dialog "Edit Action" -> click 207
  dialog "Select command" -> choose 232 Create folder
  dialog "Select command" -> ok
  dialog "Create folder" -> text 343 C:\v\made
  dialog "Create folder" -> ok
  dialog "Edit Action" -> ok
  dialog "Administrate actions" -> ok
)");
  shows(admin, "refresh 6");
  // The ids of the steps are those the listing of the dialogs gives.
  shows(RunOk({"dialogs", "select COMMAND"}),
        "302 \"Select command\"\n  376 static \"Select an "
        "action command to add.\"\n  232 drop-down list\n");

  RunOk({"--vault", "v", "menu", "Tools\\Make folder"});
  EXPECT_TRUE(fs::is_directory(dir / "v" / "drives" / "c" / "v" / "made"));
}

TEST_F(CliTest, ConversionsComeBackByteForByte) {
  Write("actions.json", kActions);
  RunOk({"acn", "from-json", "actions.json", "-o", "one.acn"});
  Write("back.json", RunOk({"acn", "to-json", "one.acn"}).out);
  RunOk({"acn", "from-json", "back.json", "-o", "two.acn"});
  EXPECT_EQ(FileText(dir / "one.acn"), FileText(dir / "two.acn"));

  Write("set.json", R"({"format": "vault-set", "actions": [{"id": 102, "name": "x"}]})");
  const std::string hex = RunOk({"hex", "from-json", "set.json"}).out;
  EXPECT_TRUE(hex.starts_with("C0F9FFFF01000000")) << hex;  // marker -1600, one action
  // Either from a file or from standard input, a line end and all.
  Write("set.hex", hex);
  Write("set2.json", RunOk({"hex", "to-json", "set.hex"}).out);
  EXPECT_EQ(RunOk({"hex", "from-json", "-"}, "set2.json").out, hex);
  EXPECT_EQ(RunOk({"hex", "to-json"}, "set.hex").out, FileText(dir / "set2.json"));
  EXPECT_EQ(Run({"acn", "from-json", "set.json", "-o", "x.acn"}).code, 2);  // not an action file
}

// Writes a DWORD, runs a command line that makes a file, waits for a file that never comes,
// and shows what the registry holds.
constexpr const char* kMachine = R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 9, "name": "Machine", "menuText": "Machine", "activation": ["menu"],
   "variables": [{"name": "count", "type": 115,
                  "value": "HKEY_CURRENT_USER\\Software\\CliTest\\Count"}],
   "commands": [
     {"type": 9, "summary": "", "keyPath": "hkey_current_user\\Software\\CliTest\\Count",
      "value": "42", "kind": 2},
     {"type": 12, "summary": "", "verb": "Open", "file": "C:\\Windows\\system32\\Cmd.exe",
      "parameters": "/c echo made > made.txt", "halt": 1, "mode": 1},
     {"type": 12, "summary": "", "verb": "print", "file": "C:\\v\\a.txt", "parameters": "",
      "halt": 0, "mode": 0},
     {"type": 10, "summary": "", "path": "C:\\v\\never*.txt", "condition": 0},
     {"type": 3, "summary": "", "message": "count %count%"}]}]})";

TEST_F(CliTest, SystemCommandsWriteTheRegistryRunCommandLinesAndWaitUntilCancelled) {
  MakeVault();
  Write("machine.json", kMachine);
  RunOk({"acn", "from-json", "machine.json", "-o", "machine.acn"});
  RunOk({"--vault", "v", "import", "machine.acn"});
  // The wait takes the step; the message box the line after it. The cancelled wait fails.
  Write("answers.txt", "cancel\nOK\n");
  const Result r = Run({"--vault", "v", "--answers", "answers.txt", "menu", "Machine"});
  EXPECT_EQ(r.code, 3);
  const auto shows = [&](const std::string& text) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  };
  shows("\n        shell print C:\\v\\a.txt\n");
  shows("waiting \"Waiting for C:\\v\\never*.txt to be created\" -> cancel");
  shows("count 42 -> OK");
  EXPECT_EQ(FileText(dir / "made.txt"), "made\n");
  EXPECT_EQ(r.err, "");
}

// The report after a menu command lists the selected files the vault still finds at their paths.
TEST_F(CliTest, TheMenuReportShowsTheSelectedFilesAsTheActionLeftThem) {
  MakeVault();
  Write("tidy.json", R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 9, "name": "Rename", "menuText": "Rename", "activation": ["menu"],
   "commands": [{"type": 16, "summary": "", "from": "%PathToSelectedFile%", "newName": "c.txt"}]},
  {"id": 10, "name": "Out", "menuText": "Out", "activation": ["menu"],
   "commands": [{"type": 17, "summary": "", "path": "%PathToSelectedFile%"}]}]})");
  RunOk({"acn", "from-json", "tidy.json", "-o", "tidy.acn"});
  RunOk({"--vault", "v", "import", "tidy.acn"});

  // Only the first selected file is renamed: a.txt is gone, b.txt stays.
  const Result renamed = RunOk({"--vault", "v", "menu", "Rename", "a.txt", "b.txt"});
  EXPECT_TRUE(renamed.out.ends_with("refresh\n  b.txt  v1  Draft\n")) << renamed.out;

  const Result out = RunOk({"--vault", "v", "--user", "Chief", "menu", "Out", "c.txt", "b.txt"});
  EXPECT_NE(out.out.find("\n  c.txt  v1  Draft  checked out by Chief on "), std::string::npos)
      << out.out;
  EXPECT_NE(out.out.find("\n  b.txt  v1  Draft\n"), std::string::npos) << out.out;
}

// A folder and a file of the same path: the selection takes the folder, as the host does.
TEST_F(CliTest, AMenuCommandTakesAFolderBeforeAFileOfTheSamePath) {
  MakeVault();
  Write("show.json", R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 9, "name": "Show", "menuText": "Show", "activation": ["menu"],
   "commands": [{"type": 2, "summary": "shown"}]}]})");
  RunOk({"acn", "from-json", "show.json", "-o", "show.acn"});
  RunOk({"--vault", "v", "import", "show.acn"});
  // Without its local copy the file leaves room for a folder of its name.
  fs::remove(dir / "v" / "drives" / "c" / "v" / "a.txt");
  RunOk({"--vault", "v", "mkdir", "C:\\v\\a.txt"});
  // A file of a folder without subfolders, selected first, leaves the root's folder its turn.
  RunOk({"--vault", "v", "mkdir", "C:\\v\\other"});
  Write("c.txt", "gamma\n");
  RunOk({"--vault", "v", "add", "c.txt", "--to", "C:\\v\\other"});

  const Result shown =
      RunOk({"--vault", "v", "menu", "Show", "C:\\v\\other\\c.txt", "a.txt", "b.txt"});
  EXPECT_NE(shown.out.find("run \"Show\" (102) over 2 document(s) c.txt b.txt\n"),
            std::string::npos)
      << shown.out;
  EXPECT_TRUE(shown.out.ends_with("menu done\n  c.txt  v1  Draft\n  b.txt  v1  Draft\n"))
      << shown.out;
}

}  // namespace
}  // namespace vendrel::tools
