// The live trace: each step printed as it happens, one write a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace vendrel::actions {
class Action;
class ActionData;
}  // namespace vendrel::actions

namespace vendrel::commands {
class Cmd;
}

namespace vendrel::tools {

class TracePrinter {
 public:
  // Runs over many documents list the first ten, and trace every step of those ten only,
  // unless all are asked for: later documents show their failures, boxes and dialogs.
  static constexpr std::size_t kDocumentsShown = 10;

  explicit TracePrinter(std::ostream& out) : out_(out) {}
  void ListAllDocuments(bool all) { allDocuments_ = all; }

  void Notification(const std::string& name, std::int32_t kind, std::size_t items, bool observed);
  void Answered(std::int32_t status, std::int32_t refresh, std::int32_t veto);
  void RunStarted(const actions::Action& action, const actions::ActionData& run);
  void RunEnded(bool ran, std::int64_t milliseconds);
  void CommandStarted(const commands::Cmd& command, std::size_t index,
                      const actions::ActionData& run);
  void CommandEnded(bool failed);
  // A line of the running command, held back past the tenth document: whether it would be
  // printed, so that one held back need not be written out.
  bool ShowsDetails() const { return !quiet_; }
  void Detail(const std::string& line);
  // A box, dialog or shell request: always printed, inside a command or not.
  void Shown(const std::string& line, bool inCommand);

 private:
  // A command past the tenth document: its heading is printed only before a line that is
  // always shown, its details not at all.
  struct Quiet {
    const commands::Cmd* command;
    std::size_t index;
    bool headed;
  };
  void Print(const std::string& line);
  void PrintHeading(const commands::Cmd& command, std::size_t index);
  void HeadQuiet();

  std::ostream& out_;
  bool allDocuments_ = false;
  std::optional<Quiet> quiet_;
  std::size_t quietUpTo_ = 0;  // documents of the run, up to the last one held back
};

}  // namespace vendrel::tools
