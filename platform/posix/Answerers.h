// Who answers message boxes in the native build: the person at the terminal, a script, or a test.
#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileDialogs.h"
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
  // A file dialog: the chosen path, empty when it is cancelled.
  virtual std::optional<std::wstring> ChooseFile(const FileDialogRequest& dialog) = 0;
};

// Shows the box as it would read on screen and asks for a button until one fits; an empty line
// presses the first button, the end of the input dismisses the box. A file dialog takes a path;
// an empty line cancels it.
class TerminalAnswerer final : public Answerer {
 public:
  TerminalAnswerer(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  Answer Reply(const MessageBoxRequest& box) override;
  std::int32_t Press(const ButtonBoxRequest& box) override;
  std::optional<std::wstring> ChooseFile(const FileDialogRequest& dialog) override;

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
  // Empty once the script is used up, which counts as a misfit.
  std::optional<std::string> Next();
  // The line Next would give, left in the script.
  std::optional<std::string> Peek();
  // A line that fitted nothing it was given to.
  void Misfit() { ++misfits_; }
  // Lines that did not fit, and answers asked for after the last line.
  std::size_t Misfits() const { return misfits_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::size_t misfits_ = 0;
};

// Answers boxes in turn from script lines such as "Yes", "cancel" or "OK to All", and file
// dialogs from "file PATH" or "cancel". A line naming no button of its box, and every box after
// the script ends, gets the box's dismiss answer, a note on `notes` and a misfit of the script;
// a file dialog is then cancelled.
class ScriptedAnswerer final : public Answerer {
 public:
  ScriptedAnswerer(AnswerScript& script, std::ostream& notes) : script_(script), notes_(notes) {}
  Answer Reply(const MessageBoxRequest& box) override;
  std::int32_t Press(const ButtonBoxRequest& box) override;
  std::optional<std::wstring> ChooseFile(const FileDialogRequest& dialog) override;

 private:
  AnswerScript& script_;
  std::ostream& notes_;
};

// For tests: keeps every box it is shown and replies with the queued answers in order, then
// with each box's dismiss answer. A queued answer is given even when the box lacks that button.
// Button boxes have their own queue of numbers, file dialogs one of paths (empty: cancel), and
// are cancelled once it is used up.
class RecordingAnswerer final : public Answerer {
 public:
  void Queue(Answer answer) { queued_.push_back(answer); }
  void QueueNumber(std::int32_t number) { queuedNumbers_.push_back(number); }
  void QueueFile(std::optional<std::wstring> path) { queuedFiles_.push_back(std::move(path)); }
  Answer Reply(const MessageBoxRequest& box) override;
  std::int32_t Press(const ButtonBoxRequest& box) override;
  std::optional<std::wstring> ChooseFile(const FileDialogRequest& dialog) override;
  const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
  const std::vector<ButtonBoxRequest>& ButtonBoxes() const { return buttonBoxes_; }
  const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }

 private:
  std::deque<Answer> queued_;
  std::deque<std::int32_t> queuedNumbers_;
  std::deque<std::optional<std::wstring>> queuedFiles_;
  std::vector<MessageBoxRequest> boxes_;
  std::vector<ButtonBoxRequest> buttonBoxes_;
  std::vector<FileDialogRequest> fileDialogs_;
};

// The file path that a "file PATH" line gives (blanks around the path dropped), or empty.
std::optional<std::wstring> ParseFileAnswer(std::string_view line);

}  // namespace vendrel::platform
