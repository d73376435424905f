// Runs the vendrel program as a person would, on vaults in a private folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
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

// What a database holds, table by table, rows sorted: a write-ahead log left beside it changes
// its files, not what it holds.
inline std::string DatabaseContents(const fs::path& file) {
  platform::Database db(file);
  std::vector<std::wstring> tables;
  for (platform::Statement row =
           db.Prepare("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name");
       row.Step();) {
    tables.push_back(row.Text(0));
  }
  std::string all;
  for (const std::wstring& table : tables) {
    std::wstring columns;
    for (platform::Statement column = db.Query("SELECT name FROM pragma_table_info(?)", table);
         column.Step();) {
      columns += (columns.empty() ? L"quote(\"" : L" || ',' || quote(\"") + column.Text(0) + L"\")";
    }
    std::vector<std::wstring> rows;
    const std::string select = platform::ToUtf8(L"SELECT " + columns + L" FROM \"" + table + L"\"");
    for (platform::Statement row = db.Prepare(select.c_str()); row.Step();) {
      rows.push_back(row.Text(0));
    }
    std::sort(rows.begin(), rows.end());
    all += platform::ToUtf8(table) + "\n";
    for (const std::wstring& row : rows) all += platform::ToUtf8(row) + "\n";
  }
  return all;
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
    std::string command = "cd " + Quote(dir.string()) + " && " + before + Quote(VENDREL_BINARY);
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

  // What the vault v holds and every file and folder on its drives: what a refused command
  // must leave as it was.
  std::string VaultState() {
    std::string state = DatabaseContents(dir / "v" / "vault.db");
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
  // Put before the program's name: limits it runs under, or a command that runs it.
  std::string before;
};

// One action that runs before every check in of a text file, and one on the menu.
inline constexpr const char* kActions = R"({"format": "action-file", "version": 1600, "actions": [
  {"id": 7, "name": "Guard", "activation": ["check-out"],
   "checkOut": {"path": "%.txt", "kind": "check-in", "after": false}},
  {"id": 8, "name": "Tools", "menuText": "Tools\\Run", "activation": ["menu"]}]})";

}  // namespace vendrel::tools
