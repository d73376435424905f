// Who answers message boxes in the native build: the person at the terminal, a script, or a test.
#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Ui.h"

namespace vendrel::platform {

// The buttons a box of `style` shows, left to right.
std::vector<Answer> Buttons(std::uint32_t style);

// What a box gives when it is dismissed without a button: Cancel where it has one, OK for an
// OK box. A Yes/No box cannot be dismissed on Windows, so No keeps the answer one of its buttons.
Answer DismissAnswer(std::uint32_t style);

// "OK", "Cancel", "Yes" or "No".
std::string_view ButtonName(Answer answer);

// The button of a box of `style` that `choice` names: its name or initial in any case, blanks
// around it ignored. Empty when the box has no such button.
std::optional<Answer> ParseChoice(std::string_view choice, std::uint32_t style);

// The button of a button box that `choice` names: its text in any case or its number, blanks
// around it ignored. Empty when no button fits.
std::optional<std::int32_t> ParseButton(std::string_view choice,
                                        const std::vector<BoxButton>& buttons);

class Answerer {
 public:
  virtual ~Answerer() = default;
  virtual Answer Reply(const MessageBoxRequest& box) = 0;
  // A button box; dismissing it gives its first button's number.
  virtual std::int32_t Press(const ButtonBoxRequest& box) = 0;
};

// Shows the box as it would read on screen and asks for a button until one fits; an empty line
// presses the first button, the end of the input dismisses the box.
class TerminalAnswerer final : public Answerer {
 public:
  TerminalAnswerer(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  Answer Reply(const MessageBoxRequest& box) override;
  std::int32_t Press(const ButtonBoxRequest& box) override;

 private:
  std::istream& in_;
  std::ostream& out_;
};

// The lines of an answer file, handed out in turn to whoever asks: message boxes and dialogs
// share one script, so its lines follow the order in which a person would meet them. Blank
// lines and lines starting with '#' are skipped; blanks around a line are dropped.
class AnswerScript {
 public:
  explicit AnswerScript(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  // Empty once the script is used up.
  std::optional<std::string> Next();

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

// Answers boxes in turn from script lines such as "Yes", "cancel" or "OK to All". A line naming
// no button of its box, and every box after the script ends, gets the box's dismiss answer and a
// note on `notes`.
class ScriptedAnswerer final : public Answerer {
 public:
  ScriptedAnswerer(AnswerScript& script, std::ostream& notes) : script_(script), notes_(notes) {}
  Answer Reply(const MessageBoxRequest& box) override;
  std::int32_t Press(const ButtonBoxRequest& box) override;

 private:
  AnswerScript& script_;
  std::ostream& notes_;
};

// For tests: keeps every box it is shown and replies with the queued answers in order, then
// with each box's dismiss answer. A queued answer is given even when the box lacks that button.
// Button boxes have their own queue of numbers.
class RecordingAnswerer final : public Answerer {
 public:
  void Queue(Answer answer) { queued_.push_back(answer); }
  void QueueNumber(std::int32_t number) { queuedNumbers_.push_back(number); }
  Answer Reply(const MessageBoxRequest& box) override;
  std::int32_t Press(const ButtonBoxRequest& box) override;
  const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
  const std::vector<ButtonBoxRequest>& ButtonBoxes() const { return buttonBoxes_; }

 private:
  std::deque<Answer> queued_;
  std::deque<std::int32_t> queuedNumbers_;
  std::vector<MessageBoxRequest> boxes_;
  std::vector<ButtonBoxRequest> buttonBoxes_;
};

}  // namespace vendrel::platform
