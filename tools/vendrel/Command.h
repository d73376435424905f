// One subcommand of `vendrel`: its words, what it takes, and the function that runs it; the
// table of them all is in Commands.cpp.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/vendrel/Cli.h"

namespace vendrel::tools {

class Call;
class Session;
class VaultCopy;
class VaultHost;

struct OptionForm {
  const char* name;   // "--to"
  const char* value;  // what the value is, "VAULTFOLDER"; null for a flag
  const char* help;
  bool required = false;
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
  // The first value of a command option, all its values, whether a flag was given.
  std::optional<std::string> Value(std::string_view option) const;
  std::vector<std::string> Values(std::string_view option) const;
  bool Has(std::string_view flag) const;

  const Options& Global() const { return options_; }
  Console& Io() { return console_; }
  std::ostream& Out() { return console_.out; }

  // The vault of --vault with the add-in loaded, opened on first use. Throws UsageError
  // without a vault.
  VaultHost& Host();
  // With --dry-run the host works on this copy of the vault; null otherwise.
  const VaultCopy* DryRun() const;

  // "usage: vendrel checkin PATH... [--comment TEXT]", to throw.
  UsageError Misused() const;

  // Filled by the parser.
  void AddArgument(std::string argument) { arguments_.push_back(std::move(argument)); }
  void AddValue(std::string option, std::string value);

 private:
  const CommandForm& form_;
  const Options& options_;
  Console& console_;
  Args arguments_;
  std::vector<std::pair<std::string, std::string>> values_;  // a flag has an empty value
  std::unique_ptr<Session> session_;
};

}  // namespace vendrel::tools
