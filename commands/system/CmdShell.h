// Shell Execute: opens a document or starts a program through the shell, or runs a command line.
#pragma once

#include <string>

#include "actions/Archive.h"
#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct ShellFields {
  enum Mode : std::int32_t { kShellMode = 0, kCommandLineMode = 1 };

  std::wstring verb;
  std::wstring file;
  std::wstring parameters;
  std::int32_t halt = 0;  // wait for the started program
  std::int32_t mode = kShellMode;
  friend bool operator==(const ShellFields&, const ShellFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("verb", verb, TextUse::kExpanded);
    v.Text("file", file, TextUse::kExpanded);
    v.Text("parameters", parameters, TextUse::kExpanded);
    v.Int32("halt", halt);
    v.Int32("mode", mode);
  }
};

class CmdShell : public FieldCmd<ShellFields, kShellType> {
 public:
  using enum ShellFields::Mode;
  // Older stored layouts have no mode.
  static constexpr std::int32_t kFirstVersionWithMode = 6;

  explicit CmdShell(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  // Loading from a layout older than 6 leaves the mode at shell mode.
  void Serialize(actions::Archive& archive) override;
  // False when the shell cannot carry out the request; nothing is shown.
  bool Execute(actions::ActionData& run) override;

  // The layout version the command was loaded with; the current one for a new command.
  std::int32_t FormatVersion() const { return formatVersion_; }

 private:
  std::wstring Summarize(const Fields& fields) const override;

  std::int32_t formatVersion_ = actions::kArchiveVersion;
};

}  // namespace vendrel::commands
