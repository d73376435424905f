// Runs the vendrel program as a person would, on vaults in a private folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Sqlite.h"
#include "platform/Utf8.h"
#include "tests/support/FileText.h"

namespace vendrel::tools {

namespace fs = std::filesystem;
using vendrel::testing::FileText;

struct Result {
  int code = -1;
  std::string out;
  std::string err;
};

inline std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    char pattern[] = "/tmp/vendrel-cli-XXXXXX";
    dir = ::mkdtemp(pattern);
    ::setenv("VENDREL_REGISTRY", (dir / "registry.db").c_str(), 1);
    ::setenv("VENDREL_LOCALAPPDATA", dir.c_str(), 1);
    ::unsetenv("VENDREL_VAULT");
  }
  ~CliTest() override { fs::remove_all(dir); }

  // Runs vendrel in the test folder with stdin from /dev/null, or the file `input` of the folder.
  Result Run(const std::vector<std::string>& args, const std::string& input = "/dev/null") {
    std::string command = "cd " + Quote(dir.string()) + " && " + Quote(VENDREL_BINARY);
    for (const std::string& arg : args) {
      command += ' ';
      command += Quote(arg);
    }
    command += " <" + Quote(input) + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(dir / "out.txt"),
            FileText(dir / "err.txt")};
  }
  Result RunOk(const std::vector<std::string>& args, const std::string& input = "/dev/null") {
    Result r = Run(args, input);
    EXPECT_EQ(r.code, 0) << r.err;
    return r;
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
  }

  // A vault with users Chief and anna, a folder Docs with a.txt and b.txt.
  void MakeVault() {
    RunOk({"init", "v", "--user", "Chief", "--user", "anna"});
    Write("a.txt", "alpha\n");
    Write("b.txt", "beta\n");
    // An option's value ends with it: b.txt is a file to add again.
    RunOk({"--vault", "v", "add", "a.txt", "--to", "C:\\v", "b.txt"});
  }

  // Every row of the vault v (but the fixed error texts) and every file and folder on its drives:
  // what a refused command must leave as it was.
  std::string VaultState() {
    platform::Database db(dir / "v" / "vault.db");
    std::vector<std::string> selects;
    platform::Statement tables = db.Query(
        "SELECT 'SELECT group_concat(' || group_concat('quote(\"' || p.name || '\")', "
        "' || '','' || ') || ', '';'') FROM \"' || m.name || '\"' "
        "FROM sqlite_master m, pragma_table_info(m.name) p "
        "WHERE m.type = 'table' AND m.name <> 'error_texts' "
        "GROUP BY m.name");
    while (tables.Step()) selects.push_back(platform::ToUtf8(tables.Text(0)));
    std::string state;
    for (const std::string& select : selects) {
      platform::Statement rows = db.Query(select.c_str());
      rows.Step();
      state += platform::ToUtf8(rows.Text(0)) + "\n";
    }
    for (const auto& entry : fs::recursive_directory_iterator(dir / "v" / "drives"))
      state += entry.path().string() + "\n";
    return state;
  }

  // The demo, run with its vault in the test folder.
  Result Demo() {
    ::setenv("TMPDIR", dir.c_str(), 1);
    Result demo = RunOk({"demo"});
    ::unsetenv("TMPDIR");
    return demo;
  }
  // The vault a demo leaves behind.
  static std::string DemoVault(const Result& demo) {
    const std::string marker = "The vault stays in ";
    const std::size_t at = demo.out.find(marker) + marker.size();
    return demo.out.substr(at, demo.out.find(';', at) - at);
  }

  fs::path dir;
};

// One action that runs before every check in of a text file, and one on the menu.
inline constexpr const char* kActions = R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 7, "name": "Guard", "activation": ["check-out"],
   "checkOut": {"path": "%.txt", "kind": "check-in", "after": false}},
  {"id": 8, "name": "Tools", "menuText": "Tools\\Run", "activation": ["menu"]}]})";

}  // namespace vendrel::tools
