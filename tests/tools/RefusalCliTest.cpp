// Bad input to each command: one line that says what to do, exit code 2, and the vault as it was.
#include <algorithm>
#include <ostream>

#include "tests/tools/CliFixture.h"

namespace vendrel::tools {
namespace {

struct Refusal {
  std::vector<std::string> args;  // after --vault v
  std::string why;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
  for (const std::string& arg : refusal.args) *out << Quote(arg) << ' ';
}

class RefusalTest : public CliTest, public ::testing::WithParamInterface<Refusal> {
 protected:
  static void TearDownTestSuite() {
    fs::remove_all(prepared_);
    prepared_.clear();
  }

  // The vault v with card variables, a configuration, a card value and a group: made for the
  // first case of a suite and copied for the others.
  void PrepareVault() {
    Write("b.txt", "beta\n");
    Write("b.json", "beta\n");
    Write("aux.txt", "device\n");
    Write("empty.acn", "");
    Write("bad.json", R"({"format": "action-file", "actions": [{"commands": [{"type": 1}]}]})");
    if (!prepared_.empty()) {
      fs::copy(prepared_, dir / "v", fs::copy_options::recursive);
      return;
    }
    MakeVault();
    RunOk({"--vault", "v", "var", "define", "Count", "--type", "integer"});
    RunOk({"--vault", "v", "var", "define", "Due", "--type", "date"});
    RunOk({"--vault", "v", "configs", "a.txt", "Large"});
    RunOk({"--vault", "v", "card", "set", "a.txt", "Count=5"});
    RunOk({"--vault", "v", "group", "add", "Staff", "--member", "anna"});
    prepared_ = dir.string() + "-vault";
    fs::copy(dir / "v", prepared_, fs::copy_options::recursive);
  }

 private:
  static inline fs::path prepared_;
};

// Five folders of 60 characters below the root are more than a Windows path holds.
std::string TooLong() {
  std::string path;
  for (int i = 0; i < 5; ++i) path += std::string(59, 'd') + "\\";
  return path + "x";
}

TEST_P(RefusalTest, SaysWhatToDoInOneLineAndChangesNothing) {
  PrepareVault();
  const std::string before = VaultState();
  std::vector<std::string> args{"--vault", "v"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const Result r = Run(args);
  EXPECT_EQ(r.code, 2) << r.out;
  EXPECT_NE(r.err.find(GetParam().why), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_TRUE(VaultState() == before) << "the vault changed";
}

using ::testing::Values;

INSTANTIATE_TEST_SUITE_P(
    Folders, RefusalTest,
    Values(Refusal{{"mkdir", "\\\\server\\share"}, "\\\\server\\share is a network path"},
           Refusal{{"mkdir", "Docs", "c/CON.txt"}, "\"CON.txt\" in C:\\v\\c\\CON.txt is no name"},
           Refusal{{"mkdir", "x./y"}, "\"x.\" in C:\\v\\x.\\y is no name"},
           Refusal{{"mkdir", "Docs", "x /y"}, "\"x \" in C:\\v\\x \\y is no name"},
           Refusal{{"mkdir", "Docs", TooLong()}, "more than the 259 Windows takes in a path"},
           Refusal{{"mkdir", "D:\\x"}, "give a folder below the vault's root C:\\v"},
           Refusal{{"add", "b.txt", "aux.txt", "--to", "C:\\v"}, "\"aux.txt\" in"},
           Refusal{{"init", ""}, "give init a folder"},
           Refusal{{"state", "a.txt", "--to", "Review"},
                   "--to Review names no workflow; give one of Release.Draft, Release.Review, "
                   "Release.Released"},
           Refusal{{"import", "empty.acn"}, "empty.acn is empty; give a file that holds actions"},
           Refusal{{"import", "none.acn"}, "no file none.acn"},
           Refusal{{"import", "v"}, "v is a folder; give a file"},
           Refusal{{"import", "b.json"}, "b.json: parse error at line 1, column 1"},
           Refusal{{"import", "bad.json"},
                   "bad.json holds actions that cannot be stored: "
                   "actions[0].commands[0] lacks \"prompt\""},
           Refusal{{"acn", "from-json", "bad.json", "-o", "bad.acn"},
                   "bad.json: actions[0].commands[0] lacks \"prompt\""},
           Refusal{{"init", "w", "--root", "C:\\w."}, "\"w.\" in C:\\w. is no name"},
           Refusal{{"init", "w", "--root", "w"}, "give --root as a folder of a drive"}));

INSTANTIATE_TEST_SUITE_P(
    Cards, RefusalTest,
    Values(Refusal{{"card", "set", "a.txt", "Due=2024-02-30"}, "Due is of type date"},
           Refusal{{"card", "set", "a.txt", "Count=1", "Due=someday"}, "not \"someday\""},
           Refusal{{"card", "set", "a.txt", "Count=3000000000"}, "Count is of type integer"},
           Refusal{{"card", "set", "a.txt", "Size=3"}, "no card variable Size"},
           Refusal{{"card", "set", "a.txt", "Count=1", "--config", "Small"},
                   "has no configuration Small"},
           Refusal{{"var", "define", "", "--type", "text"}, "a name that is not empty"},
           Refusal{{"var", "define", "count", "--type", "integer"}, "with flags 0 already"},
           Refusal{{"var", "define", "Price", "--type", "money"}, "no card variable type money"},
           Refusal{{"var", "define", "Count", "--type", "date"}, "Count holds values that are no"},
           Refusal{{"var", "remove", "Size"}, "no card variable Size"},
           Refusal{{"configs", "a.txt", "Small", "Small"}, "is named twice"},
           Refusal{{"configs", "a.txt", ""}, "a name that is not empty"},
           Refusal{{"configs", "a.txt", "Small", "--clear"}, "usage: vendrel configs"}));

INSTANTIATE_TEST_SUITE_P(
    Users, RefusalTest,
    Values(Refusal{{"user", "add", ""}, "a name that is not empty"},
           Refusal{{"user", "add", "ANNA"}, "is the user \"anna\" already"},
           Refusal{{"group", "add", "Staff"}, "exists already"},
           Refusal{{"group", "add", "Staff", "--member", "nobody"}, "no user nobody"},
           Refusal{{"group", "remove", "Nobody"}, "no group Nobody"},
           Refusal{{"group", "remove-member", "Staff", "--member", "Chief"},
                   "Chief is no member of Staff"},
           Refusal{{"group", "remove-member", "Staff", "--member", "anna", "--member", "x"},
                   "no user x"},
           Refusal{{"inbox", "bob"}, "no user bob"}));

INSTANTIATE_TEST_SUITE_P(
    Registry, RefusalTest,
    Values(Refusal{{"reg", "set", "HKEY_CURRENT_USER\\S", "N", "7 days", "--dword"},
                   "--dword takes a decimal number"},
           Refusal{{"reg", "set", "HKEY_CURRENT_USER\\S", "N", "", "--dword"}, "not \"\""},
           Refusal{{"reg", "set", "HKCU\\Software", "N", "x"}, "no short names such as HKCU"},
           Refusal{{"reg", "get", "HKEY_CURRENT_USER"}, "no registry value"}));

}  // namespace
}  // namespace vendrel::tools
