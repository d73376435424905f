// How the reference host fills in the dialogs of actions without windows: each dialog opens on an
// in-memory surface and takes answer lines until one of them closes it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/ScriptedDialogs.h"
#include "tools/vendrel/Trace.h"

namespace vendrel::tools {

// A line is one step of platform::ApplyAnswerLine ("text 273 Bob", "choose 308 B", "ok",
// "cancel", ...). For the run-time edit and combo boxes a plain line is the answer itself, typed
// in or chosen, followed by OK. An empty line presses OK.
class DialogAnswers {
 public:
  // The next line for the dialog that asks `asked`, whose controls `controls` lists one a line
  // (empty for the dialogs that a plain line answers); none when there is none.
  using NextLine = std::function<std::optional<std::string>(const std::string& asked,
                                                            const std::string& controls)>;

  // With `retry`, a person answers: a line that does not fit is said so and asked again.
  // Otherwise it is used up and the dialog cancelled, with a note on `notes`.
  DialogAnswers(NextLine next, bool retry, std::ostream& notes, Trace& trace)
      : next_(std::move(next)), retry_(retry), notes_(notes), trace_(trace) {}

  // Answers the open dialog; the runner cancels it when it is still open afterwards.
  void Answer(platform::ScriptedSurface& surface);
  // The script of one modeless window: at each delivery of its messages it takes a line when
  // one is there, an empty line meaning Cancel. `first` tells the line source that the window
  // has just opened.
  using WaitingLine =
      std::function<std::optional<std::string>(const std::string& asked, bool first)>;
  platform::ScriptedDialogRunner::Script Waiting(WaitingLine next);
  // Lines that did not fit the dialog they were given to.
  std::size_t Misfits() const { return misfits_; }

 private:
  NextLine next_;
  bool retry_;
  std::size_t misfits_ = 0;
  std::ostream& notes_;
  Trace& trace_;
};

// The dialog as a person would read it in one line: its caption, or its prompt and what can be
// chosen.
std::string DescribeDialog(const platform::ScriptedSurface& surface);
// The controls of the dialog that answer steps address, one a line; empty for the dialogs that
// a plain line answers.
std::string DialogControls(const platform::ScriptedSurface& surface);

}  // namespace vendrel::tools
