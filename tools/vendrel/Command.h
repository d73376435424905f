// One subcommand of `vendrel`: its words, what it takes, and the function that runs it; the
// table of them all is in Commands.cpp.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "tools/vendrel/Cli.h"

namespace vendrel::platform {
class Registry;
}

namespace CLI {
class Validator;
}

namespace vendrel::tools {

class Call;
class Session;
class VaultCopy;
class VaultHost;

// The options of all commands, typed; each command reads the members of the options it declares.
struct Given {
  std::optional<std::string> to;
  std::string comment;
  std::optional<std::string> root;
  std::optional<std::string> hostFolder;
  std::vector<std::string> users;
  std::vector<std::string> members;
  std::int32_t type = 0;
  std::int32_t flags = 0;
  std::optional<std::string> config;
  std::string output;
  bool dryRun = false;
  bool dword = false;
  std::optional<std::string> actions;
  std::optional<std::string> junit;
  std::string timeout = "10";
  bool record = false;
  bool clear = false;
  bool update = false;
  bool replace = false;
};

// Where an option's value goes; the member's type decides how CLI11 reads it.
using GivenMember =
    std::variant<bool Given::*, std::int32_t Given::*, std::string Given::*,
                 std::optional<std::string> Given::*, std::vector<std::string> Given::*>;

struct OptionForm {
  const char* name;   // "--to"
  const char* value;  // what the value is, "VAULTFOLDER"; null for a flag
  const char* help;
  GivenMember member;
  bool required = false;
  // What a value must be, beyond its type; a transformer may also turn it into the member's
  // type, as a name into its number.
  CLI::Validator (*check)() = nullptr;
};

struct CommandForm {
  const char* name;       // "checkin"; "acn to-json" for a command of the group "acn"
  const char* arguments;  // the positional arguments as the usage shows them, "PATH..."
  const char* help;
  std::vector<OptionForm> options;
  int (*run)(Call& call);
};

// Every subcommand, in the order `vendrel --help` lists them.
std::span<const CommandForm> AllCommands();

// "checkin PATH... [--comment TEXT]"
std::string Synopsis(const CommandForm& form);

// One run of a subcommand with the arguments it was given.
class Call {
 public:
  Call(const CommandForm& form, const Options& options, Console& console);
  ~Call();
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;

  // Positional arguments in order.
  const Args& Arguments() const { return arguments_; }
  // The command's options.
  const Given& Opt() const { return given_; }

  const Options& Global() const { return options_; }
  // The answer as one JSON document rather than lines.
  bool Json() const { return options_.json; }
  Console& Io() { return console_; }
  std::ostream& Out() { return console_.out; }

  // The vault of --vault with the add-in loaded, opened on first use. Throws UsageError
  // without a vault, and on a vault that cannot be written.
  VaultHost& Host();
  // The vault of --vault for a command that only reads it: without the add-in, whose load
  // takes the stored actions' lock, so it waits for no writer and reads a read-only vault.
  VaultHost& Reader();
  // The registry that the actions of --vault read and write, else this machine's, without
  // opening the vault. Null for a read of an emulated registry that has no file yet: making
  // one would set nothing.
  std::unique_ptr<platform::Registry> Registry(bool toRead = false) const;
  // With --dry-run the host works on this copy of the vault; null otherwise.
  const VaultCopy* DryRun() const;

  // The exit code of the command: `code`, or kExitFailed once a command of an action reported a
  // failure or an answer did not fit. Says so only the first time.
  int Finish(int code);

  // "usage: vendrel checkin PATH... [--comment TEXT]", to throw.
  UsageError Misused() const;

  // Filled by the parser.
  void Parsed(Args arguments, Given given) {
    arguments_ = std::move(arguments);
    given_ = std::move(given);
  }

 private:
  const CommandForm& form_;
  const Options& options_;
  Console& console_;
  Args arguments_;
  Given given_;
  std::optional<bool> failed_;
  std::unique_ptr<Session> session_;
};

}  // namespace vendrel::tools
