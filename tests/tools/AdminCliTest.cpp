// What an administrator prepares and checks with vendrel: users and groups, card variables,
// card values and configurations, inboxes, and the registry that actions read and write.
#include "tests/tools/CliFixture.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

void ExpectShows(const Result& r, const std::string& text) {
  EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
}

void ExpectRefused(const Result& r, const std::string& why) {
  EXPECT_EQ(r.code, 2) << r.out;
  EXPECT_NE(r.err.find(why), std::string::npos) << why << "\n" << r.err;
}

// Sets Weight of the selected file for its configuration Large, and tells the group Staff.
constexpr const char* kWeigh = R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 9, "name": "Weigh", "menuText": "Weigh", "activation": ["menu"],
   "commands": [
     {"type": 25, "summary": "", "item": 0, "filePath": "", "folderPath": "", "value": "12",
      "variable": "Weight", "variableType": 2, "configurations": ["Large"]},
     {"type": 24, "summary": "", "subject": "Weighed", "message": "Large weighs 12",
      "users": [], "groups": ["Staff"]}]}]})";

TEST_F(CliTest, UsersAndGroupsPreparedByHandReceiveWhatAnActionSends) {
  MakeVault();
  RunOk({"--vault", "v", "user", "add", "bob"});
  RunOk({"--vault", "v", "group", "add", "Staff", "--member", "BOB"});
  RunOk({"--vault", "v", "group", "add", "staff", "--member", "anna"});
  const Json users = ParseJson(RunOk({"--vault", "v", "users", "--json"}).out);
  EXPECT_EQ(users.at("users").size(), 3u);
  const Json& groups = users.at("groups");
  ASSERT_EQ(groups.size(), 1u);  // the one Staff, whatever the case it was named in
  EXPECT_EQ(AsText(groups[0].at("members")[0], ""), L"anna");
  EXPECT_EQ(AsText(groups[0].at("members")[1], ""), L"bob");

  RunOk({"--vault", "v", "var", "define", "Weight", "--type", "integer", "--flags", "4"});
  RunOk({"--vault", "v", "configs", "a.txt", "Small", "Large"});
  Write("weigh.json", kWeigh);
  RunOk({"acn", "from-json", "weigh.json", "-o", "weigh.acn"});
  RunOk({"--vault", "v", "import", "weigh.acn"});
  RunOk({"--vault", "v", "menu", "Weigh", "a.txt"});  // not checked out: flag 4 lets it write

  ExpectShows(RunOk({"--vault", "v", "card", "a.txt", "--config", "Large"}),
              "C:\\v\\a.txt (configuration Large)\n  Weight = 12\n");
  ExpectShows(RunOk({"--vault", "v", "card", "a.txt", "--config", "Small"}), "Weight (empty)");
  ExpectShows(RunOk({"--vault", "v", "inbox", "bob"}),
              "from Chief to Staff, \"Weighed\": Large weighs 12\n");
  const Json inbox = ParseJson(RunOk({"--vault", "v", "inbox", "anna", "--json"}).out);
  EXPECT_EQ(AsText(inbox.at(0).at("group"), ""), L"Staff");

  // Whoever holds a file stays; whoever leaves takes their inbox along.
  RunOk({"--vault", "v", "--user", "bob", "checkout", "b.txt"});
  EXPECT_EQ(Run({"--vault", "v", "user", "remove", "bob"}).code, 2);
  RunOk({"--vault", "v", "--user", "bob", "undo-checkout", "b.txt"});
  RunOk({"--vault", "v", "user", "remove", "bob"});
  ExpectRefused(Run({"--vault", "v", "inbox", "bob"}), "no user bob");
  ExpectShows(RunOk({"--vault", "v", "users"}), "group Staff: anna\n");
  RunOk({"--vault", "v", "user", "remove", "anna"});
  ExpectRefused(Run({"--vault", "v", "user", "remove", "chief"}), "last user");
}

TEST_F(CliTest, CardValuesAreCheckedAgainstTheirTypesBeforeAnyIsWritten) {
  MakeVault();
  RunOk({"--vault", "v", "var", "define", "Count", "--type", "integer"});
  RunOk({"--vault", "v", "var", "define", "Done", "--type", "yesno"});

  ExpectShows(RunOk({"--vault", "v", "card", "a.txt"}), "  Count (empty)\n  Done (empty)\n");

  const Result set = RunOk({"--vault", "v", "card", "set", "a.txt", "count=-4", "Done=True"});
  ExpectShows(set, "  Count = -4\n  Done = 1\n");
  // Values of a folder; configurations only for files, and only those the file has.
  ExpectShows(RunOk({"--vault", "v", "card", "set", "C:\\v", "Count=5"}), "  Count = 5\n");
  ExpectRefused(Run({"--vault", "v", "card", "C:\\v", "--config", "Large"}), "no configurations");
  RunOk({"--vault", "v", "configs", "a.txt", "Large"});
  RunOk({"--vault", "v", "card", "set", "a.txt", "Count=1", "--config", "Large"});
  const Json large =
      ParseJson(RunOk({"--vault", "v", "card", "a.txt", "--config", "Large", "--json"}).out);
  EXPECT_EQ(large.at("values")[0].at("value"), 1);
  ExpectShows(RunOk({"--vault", "v", "card", "a.txt"}), "  Count = -4\n");

  ExpectRefused(Run({"--vault", "v", "card", "missing.txt"}), "no vault file or folder");
}

TEST_F(CliTest, WhatTheVaultHoldsIsListedRedefinedAndRemoved) {
  MakeVault();
  // The ids that a state condition of the JSON form names.
  const Json states = ParseJson(RunOk({"--vault", "v", "workflows", "--json"}).out)[0]["states"];
  EXPECT_EQ(states[1].at("id"), 2);
  EXPECT_EQ(states[1].at("name"), "Review");

  RunOk({"--vault", "v", "var", "define", "Count", "--type", "text"});
  RunOk({"--vault", "v", "card", "set", "a.txt", "Count=12"});
  RunOk({"--vault", "v", "var", "define", "Count", "--type", "integer", "--flags", "4"});
  const Json count = ParseJson(RunOk({"--vault", "v", "var", "list", "--json"}).out)[0];
  EXPECT_EQ(count.at("type"), "integer");
  EXPECT_EQ(count.at("flags"), 4);
  ExpectShows(RunOk({"--vault", "v", "card", "a.txt"}), "  Count = 12\n");
  ExpectShows(RunOk({"--vault", "v", "var", "remove", "count"}), "with its 1 value(s)");
  EXPECT_EQ(RunOk({"--vault", "v", "var", "list"}).out, "");

  // A configuration that goes takes its own values along; those of all configurations stay.
  RunOk({"--vault", "v", "var", "define", "Weight", "--type", "integer"});
  RunOk({"--vault", "v", "configs", "a.txt", "Small", "Large"});
  RunOk({"--vault", "v", "card", "set", "a.txt", "Weight=1"});
  RunOk({"--vault", "v", "card", "set", "a.txt", "Weight=2", "--config", "Large"});
  RunOk({"--vault", "v", "card", "set", "a.txt", "Weight=3", "--config", "Small"});
  ExpectShows(RunOk({"--vault", "v", "configs", "a.txt", "Small"}), "1 card value(s)");
  RunOk({"--vault", "v", "configs", "a.txt", "Small", "Large"});
  ExpectShows(RunOk({"--vault", "v", "card", "a.txt", "--config", "Large"}), "Weight = 1\n");
  ExpectShows(RunOk({"--vault", "v", "card", "a.txt", "--config", "Small"}), "Weight = 3\n");
  RunOk({"--vault", "v", "configs", "a.txt", "--clear"});
  ExpectShows(RunOk({"--vault", "v", "configs", "a.txt"}), "has no configurations");

  RunOk({"--vault", "v", "group", "add", "Staff", "--member", "anna", "--member", "chief"});
  RunOk({"--vault", "v", "group", "remove-member", "staff", "--member", "ANNA"});
  ExpectShows(RunOk({"--vault", "v", "users"}), "group Staff: Chief\n");
  RunOk({"--vault", "v", "group", "remove", "Staff"});
  EXPECT_EQ(RunOk({"--vault", "v", "users"}).out, "Chief\nanna\n");
}

TEST_F(CliTest, RegistryValuesAreReadAndWrittenAsActionsNameThem) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\CliTest";
  ExpectShows(RunOk({"reg", "set", key, "Count", "42", "--dword"}), "42 (DWORD)\n");
  // One path in any case, as an action's registry variable names it.
  EXPECT_EQ(RunOk({"reg", "get", "hkey_current_user\\software\\clitest\\count"}).out,
            "42 (DWORD)\n");
  // DWORDs read as the registry command reads them, clamped to 32 bits.
  EXPECT_EQ(RunOk({"reg", "set", key, "Count", " +7", "--dword"}).out, "7 (DWORD)\n");
  EXPECT_EQ(RunOk({"reg", "set", key, "Count", "99999999999", "--dword"}).out,
            "2147483647 (DWORD)\n");
  EXPECT_EQ(RunOk({"reg", "set", key, "Count", "-1", "--dword"}).out, "4294967295 (DWORD)\n");

  RunOk({"reg", "set", "HKEY_USERS", "Top", "at the root"});
  const Json top = ParseJson(RunOk({"reg", "get", "HKEY_USERS\\Top", "--json"}).out);
  EXPECT_EQ(AsText(top.at("kind"), ""), L"string");
  EXPECT_EQ(AsText(top.at("data"), ""), L"at the root");

  const Result unset = Run({"reg", "get", key, "Name"});
  EXPECT_EQ(unset.code, 1);
  EXPECT_NE(unset.err.find("is not set"), std::string::npos) << unset.err;
}

// Reads the value that the registry test writes.
constexpr const char* kCount = R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 9, "name": "Count", "menuText": "Count", "activation": ["menu"],
   "variables": [{"name": "count", "type": 115,
                  "value": "HKEY_CURRENT_USER\\Software\\CliTest\\Count"}],
   "commands": [{"type": 3, "summary": "", "message": "count %count%"}]}]})";

// Natively each vault's actions have the registry beside its drives.
TEST_F(CliTest, TheRegistryOfAVaultIsTheOneItsActionsRead) {
  ::unsetenv("VENDREL_REGISTRY");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", dir.c_str(), 1);  // nothing lands in the real home
  MakeVault();
  Write("count.json", kCount);
  RunOk({"acn", "from-json", "count.json", "-o", "count.acn"});
  RunOk({"--vault", "v", "import", "count.acn"});
  RunOk({"--vault", "v", "reg", "set", "HKEY_CURRENT_USER\\Software\\CliTest", "Count", "42",
         "--dword"});
  ExpectShows(RunOk({"--vault", "v", "menu", "Count"}), "count 42");
  EXPECT_EQ(Run({"reg", "get", "HKEY_CURRENT_USER\\Software\\CliTest\\Count"}).code, 1);
  EXPECT_FALSE(fs::exists(dir / ".vendrel" / "registry.db")) << "a read made the registry";
  ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace vendrel::tools
