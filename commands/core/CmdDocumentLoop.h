// The loop over the documents of the run: its start and its end command.
#pragma once

#include <cstdint>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdAllDocuments final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdAllDocuments(actions::Action* owner);
  bool Edit(platform::Window parent) override;
  // Moves the run to the next document, or past the matching end when none is left.
  bool Execute(actions::ActionData& run) override;

 private:
  std::int32_t index_ = -1;  // of the current document; -1 between runs of the loop
};

class CmdEndAllDocuments final : public Cmd, public lexicor::StrWnd {
 public:
  explicit CmdEndAllDocuments(actions::Action* owner);
  bool Edit(platform::Window parent) override;
  // Sends the run back to the matching start.
  bool Execute(actions::ActionData& run) override;
};

}  // namespace vendrel::commands
