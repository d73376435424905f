// Who answers the message boxes and dialogs of a vault command.
#pragma once

#include <chrono>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/Answerers.h"
#include "tools/vendrel/Cli.h"

namespace vendrel::tools {

// The lines of the answer file, else the person at the terminal, else nobody: each box and
// dialog then gets its dismiss answer, with a note on the error stream. Boxes and dialogs take
// the file's lines in the order they appear.
class Answers {
 public:
  // Throws UsageError when the answer file cannot be read.
  Answers(const Options& options, Console& console);
  // Nobody answers.
  explicit Answers(std::ostream& notes) : Answers({}, notes) {}
  // The lines of an answer file, without the file.
  Answers(std::vector<std::string> lines, std::ostream& notes);
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;

  platform::Answerer& Boxes() { return *boxes_; }
  // The next line for the dialog that asks `asked`; empty when nobody answers. A person is shown
  // `controls`, the dialog's controls one a line.
  std::optional<std::string> DialogLine(const std::string& asked, const std::string& controls);
  // For a window that waits on its own: a line only when one is there without waiting for it.
  // From the file only a dialog step ("cancel", "click 2"), since the lines after a wait belong
  // to what comes after it; at the terminal any line, read once typed. `first`: the window has
  // just opened, and the person is told how to cancel it.
  std::optional<std::string> WaitingLine(const std::string& asked, bool first);
  bool FromPerson() const { return in_ != nullptr; }
  // From `deadline` on a window that waits takes "cancel", as if a person had cancelled it, so
  // that a wait nobody answers ends.
  void CancelWaitsFrom(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }
  bool WaitCancelled() const { return waitCancelled_; }
  std::ostream& Notes() { return notes_; }
  // Whether a line of the answer file named no button, or one was asked for after its end.
  bool RanShort() const { return fromFile_ && script_->Misfits() > 0; }
  // The first line of the answer file that nothing asked for.
  std::optional<std::string> LeftOver() { return fromFile_ ? script_->Peek() : std::nullopt; }

 private:
  bool fromFile_ = false;
  std::optional<platform::AnswerScript> script_;
  std::istream* in_ = nullptr;
  std::ostream* prompts_ = nullptr;
  std::ostream& notes_;
  std::unique_ptr<platform::Answerer> boxes_;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
  bool waitCancelled_ = false;
};

}  // namespace vendrel::tools
