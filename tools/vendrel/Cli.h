// The `vendrel` command line: global options and exit codes; Command.h has the commands.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vendrel::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
// A command of an action reported a failure, or an answer did not fit: no such button or
// control, the answers ran out, or some were left over.
inline constexpr int kExitFailed = 3;

// Bad usage or input: reported in one line, exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The vault or the add-in refused what was asked: reported in one line, exit code 1.
class RefusedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Options {
  std::optional<std::filesystem::path> vault;
  std::wstring user;
  std::wstring computer;
  std::optional<std::filesystem::path> answers;
  bool json = false;
  bool full = false;  // the trace lists every document of a run
};

struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive;  // a person types the answers
};

using Args = std::vector<std::string>;

// args without the program name.
int RunCli(const Args& args, Console& console);

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& text);

}  // namespace vendrel::tools
