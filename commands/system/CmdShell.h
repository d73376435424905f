// Shell Execute: opens a document or starts a program through the shell, or runs a command line.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdShell : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 12;
  static constexpr std::int32_t kShellMode = 0;
  static constexpr std::int32_t kCommandLineMode = 1;
  // Older stored layouts have no mode.
  static constexpr std::int32_t kFirstVersionWithMode = 6;

  struct Fields {
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    std::int32_t halt = 0;  // wait for the started program
    std::int32_t mode = kShellMode;
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdShell(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  // Loading from a layout older than 6 leaves the mode at shell mode.
  void Serialize(actions::Archive& archive) override;
  // False when the shell cannot carry out the request; nothing is shown.
  bool Execute(actions::ActionData& run) override;

  const Fields& Values() const { return fields_; }
  // The layout version the command was loaded with; the current one for a new command.
  std::int32_t FormatVersion() const { return formatVersion_; }
  // Takes the editor's values and rebuilds the summary from them.
  void Assign(Fields fields);

 private:
  Fields fields_;
  std::int32_t formatVersion_;
};

}  // namespace vendrel::commands
