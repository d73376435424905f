// The table of vendrel's subcommands.
#include "tools/vendrel/Command.h"

#include <CLI/CLI.hpp>

namespace vendrel::tools {

// A new subcommand is
//  - one file in subcommands/ (CMake finds it) defining `int RunX(Call& call)`: the positional
//    arguments are call.Arguments(), its options the members of call.Opt(), the vault with the
//    add-in loaded call.Host(); bad input throws UsageError (exit 2, one line), call.Misused()
//    for the usage; output goes to call.Out(), as one JSON document when call.Json(); it
//    returns one of the exit codes of Cli.h;
//  - its declaration and its row below: the words ("reg get" makes "get" a command of the group
//    "reg"), the positional arguments as the usage shows them ("" takes none), one line of
//    help, the options ({"--to", "VALUE", "help", &Given::to}, a null VALUE for a flag; true
//    after the member when it must be given, then a check of its value), and the function.
//    --json and the other options of vendrel itself are taken before or after the command.
// Parsing, `vendrel --help` and the usage of each command follow from the row.

int RunInit(Call& call);
int RunAdd(Call& call);
int RunCheckOut(Call& call);
int RunCheckIn(Call& call);
int RunUndoCheckOut(Call& call);
int RunChangeState(Call& call);
int RunMenu(Call& call);
int RunRegistered(Call& call);
int RunImport(Call& call);
int RunExport(Call& call);
int RunListActions(Call& call);
int RunActionFileToJson(Call& call);
int RunJsonToActionFile(Call& call);
int RunHexToJson(Call& call);
int RunJsonToHex(Call& call);
int RunList(Call& call);
int RunShow(Call& call);
int RunDemo(Call& call);
int RunLint(Call& call);
int RunDiff(Call& call);
int RunTest(Call& call);
int RunLog(Call& call);
int RunMakeFolder(Call& call);
int RunUserAdd(Call& call);
int RunUserRemove(Call& call);
int RunGroupAdd(Call& call);
int RunGroupRemove(Call& call);
int RunGroupRemoveMember(Call& call);
int RunUsers(Call& call);
int RunInbox(Call& call);
int RunVarDefine(Call& call);
int RunVarList(Call& call);
int RunVarRemove(Call& call);
int RunWorkflows(Call& call);
int RunCard(Call& call);
int RunCardSet(Call& call);
int RunConfigs(Call& call);
int RunRegGet(Call& call);
int RunRegSet(Call& call);
int RunDialogs(Call& call);

// Checks of option values.
CLI::Validator CardTypeNames();  // the name of a card type, read as its number

namespace {

CLI::Validator FlagBits() {
  return CLI::Validator(
      [](const std::string& given) -> std::string {
        return given.starts_with('-') ? "takes flag bits, a number from 0, not " + given : "";
      },
      "");
}

CLI::Validator Seconds() {
  return CLI::PositiveNumber;
}

const OptionForm kDryRun = {"--dry-run", nullptr,
                            "run on a throwaway copy of the vault and show what would change",
                            &Given::dryRun};

const std::vector<CommandForm> kCommands = {
    {"init",
     "DIR",
     "create a vault in DIR",
     {{"--root", "C:\\Name", "the vault's root folder", &Given::root},
      {"--user", "NAME", "a user of the vault; repeat for more", &Given::users},
      {"--host-folder", "FOLDER",
       "the host's installation folder (its registry value Location), where vendrel.dll loads "
       "the host's UI libraries from: for a test machine without the host",
       &Given::hostFolder}},
     RunInit},
    {"add",
     "LOCALPATH...",
     "add local files, and local folders with their trees, to a vault folder",
     {{"--to", "VAULTFOLDER", "the vault folder", &Given::to, true}, kDryRun},
     RunAdd},
    {"mkdir", "FOLDER...", "make vault folders and their missing parents", {}, RunMakeFolder},
    {"checkout", "PATH...", "check out vault files", {kDryRun}, RunCheckOut},
    {"checkin",
     "PATH...",
     "check in vault files",
     {{"--comment", "TEXT", "the comment of the new version", &Given::comment}, kDryRun},
     RunCheckIn},
    {"undo-checkout", "PATH...", "undo the check out of vault files", {kDryRun}, RunUndoCheckOut},
    {"state",
     "PATH...",
     "change the workflow state of vault files",
     {{"--to", "WORKFLOW.STATE", "the new state", &Given::to, true}, kDryRun},
     RunChangeState},
    {"menu", "\"MENU TEXT\" [PATH...]", "choose a menu command of the add-in", {kDryRun}, RunMenu},
    {"registered", "", "list the add-in's menu commands and hooks", {}, RunRegistered},
    {"import",
     "FILE.acn | FILE.json",
     "add the actions of an action file, or of its JSON form, to the vault",
     {{"--update", nullptr,
       "replace the stored actions of the same id, else of the same name; add the others",
       &Given::update},
      {"--replace", nullptr, "the file's actions become the stored set, keeping their ids",
       &Given::replace},
      kDryRun},
     RunImport},
    {"export", "FILE.acn", "save the vault's actions in an action file", {}, RunExport},
    {"actions", "", "list the vault's actions", {}, RunListActions},
    {"acn to-json", "FILE.acn", "an action file as JSON", {}, RunActionFileToJson},
    {"acn from-json",
     "FILE.json",
     "JSON to an action file",
     {{"-o", "FILE.acn", "the action file to write", &Given::output, true}},
     RunJsonToActionFile},
    {"hex to-json",
     "[FILE | -]",
     "the vault's stored hex text as JSON, from a file or standard input",
     {},
     RunHexToJson},
    {"hex from-json",
     "[FILE.json | -]",
     "JSON, from a file or standard input, to the vault's hex text",
     {},
     RunJsonToHex},
    {"ls", "[FOLDER]", "list a vault folder", {}, RunList},
    {"show", "PATH", "show a vault file with its versions and card", {}, RunShow},
    {"lint",
     "[FILE.acn | FILE.json]",
     "check actions for faults before they run: those of a file, else the vault's",
     {},
     RunLint},
    {"diff",
     "A B",
     "what changed between two sets of actions, each an action file, JSON or vault",
     {},
     RunDiff},
    {"test",
     "FILE...",
     "run action tests, each on a throwaway vault, before users meet the actions",
     {{"--actions", "FILE.acn|FILE.json|vault", "the set under test; else the one the file names",
       &Given::actions},
      {"--junit", "FILE", "the results also as JUnit XML", &Given::junit},
      {"--timeout", "S", "the time limit of each test in seconds (10)", &Given::timeout, false,
       Seconds},
      {"--record", nullptr, "write what each test's run left as its expectations", &Given::record}},
     RunTest},
    {"dialogs",
     "[ID | CAPTION]",
     "list the dialogs the add-in can show, each with its controls: id, kind and text",
     {},
     RunDialogs},
    {"log",
     "[on | off]",
     "the add-in's log of this user's action runs; on or off switches it",
     {},
     RunLog},
    {"user add", "NAME", "add a user to the vault", {}, RunUserAdd},
    {"user remove", "NAME", "remove a user with their inbox and memberships", {}, RunUserRemove},
    {"group add",
     "NAME",
     "add a group, or members to a group",
     {{"--member", "USER", "a member; repeat for more", &Given::members}},
     RunGroupAdd},
    {"group remove", "NAME", "remove a group; its members stay users", {}, RunGroupRemove},
    {"group remove-member",
     "NAME",
     "take members out of a group",
     {{"--member", "USER", "a member; repeat for more", &Given::members, true}},
     RunGroupRemoveMember},
    {"users", "", "list the vault's users and groups", {}, RunUsers},
    {"inbox", "USER", "list a user's messages", {}, RunInbox},
    {"workflows", "", "list the workflows with the ids of their states", {}, RunWorkflows},
    {"var list", "", "list the card variables", {}, RunVarList},
    {"var define",
     "NAME",
     "define a card variable, or give one another type or flags",
     {{"--type", "text|integer|float|date|yesno", "the type of its values", &Given::type, true,
       CardTypeNames},
      {"--flags", "N", "flag bits; 4 or 8: written without a check-out", &Given::flags, false,
       FlagBits}},
     RunVarDefine},
    {"var remove", "NAME", "remove a card variable with its values", {}, RunVarRemove},
    {"card",
     "PATH",
     "show the card values of a vault file or folder",
     {{"--config", "NAME", "the values of one configuration of the file", &Given::config}},
     RunCard},
    {"card set",
     "PATH NAME=VALUE...",
     "write card values of a vault file or folder",
     {{"--config", "NAME", "only for one configuration of the file", &Given::config}},
     RunCardSet},
    {"configs",
     "PATH [NAME...]",
     "show or set the configurations of a vault file; a removed one takes its card values along",
     {{"--clear", nullptr, "remove them all", &Given::clear}},
     RunConfigs},
    {"reg get", "KEY [VALUE]", "read a registry value as actions read it", {}, RunRegGet},
    {"reg set",
     "KEY VALUE DATA",
     "write a registry value as actions write it",
     {{"--dword", nullptr, "DATA as a DWORD number instead of a string", &Given::dword}},
     RunRegSet},
    {"demo", "", "a new vault, three actions and a user working with them", {}, RunDemo},
};

}  // namespace

std::span<const CommandForm> AllCommands() {
  return kCommands;
}

}  // namespace vendrel::tools
