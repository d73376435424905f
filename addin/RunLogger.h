// The run log: one line per action run of a notification, written through the platform's log
// when the administrator has switched it on, and passed on to the host's own observer.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "actions/RunObserver.h"
#include "platform/Services.h"

namespace vendrel::addin {

// HKEY_CURRENT_USER\Software\Vendrel, value RunLog: a DWORD other than 0 switches the log on.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Vendrel";
inline constexpr wchar_t kRunLogValue[] = L"RunLog";

// The fields of a line, separated by tabs, in this order.
struct RunLogLine {
  std::wstring time;  // local, "2026-12-06 23:41:20"
  std::wstring user;
  std::wstring computer;
  std::int32_t notification = 0;
  std::int32_t actionId = 0;
  std::wstring action;
  std::int64_t milliseconds = 0;
  bool ran = true;  // false when the block check refused the run
  bool refresh = false;
  bool veto = false;
  std::wstring failed;  // "3 Copy file": the first command that failed, if any
  // Not a run: what kept the actions from running, as the host told its user. A note's line
  // holds time, user, computer, "note" and the note.
  std::wstring note;

  // Time, user and computer of now.
  static RunLogLine Stamped(platform::Services& services);
  std::wstring Text() const;
  // False for a line of another form.
  static bool Parse(const std::wstring& text, RunLogLine& line);
};

// Whether the administrator has switched the log on.
bool RunLogOn(platform::Services& services);
// Writes a note when the log is on.
void AppendRunLogNote(platform::Services& services, const std::wstring& note);

class RunLogger final : public actions::RunObserver {
 public:
  RunLogger(platform::Services& services, actions::RunObserver* next, std::int32_t notification);

  // What the runs report to: this logger when the log is on, else the host's observer alone.
  actions::RunObserver* Observer() { return on_ ? this : next_; }

  void RunStarted(const actions::Action& action, const actions::ActionData& run) override;
  void RunEnded(const actions::Action& action, const actions::ActionData& run, bool ran) override;
  void CommandStarted(const commands::Cmd& command, std::size_t index,
                      const actions::ActionData& run) override;
  void CommandEnded(const commands::Cmd& command, std::size_t index, bool result,
                    const actions::ActionData& run) override;
  void TextExpanded(const std::wstring& text, const std::wstring& expanded) override;
  void MarkSet(actions::ActionMark mark, const actions::Action& action, std::size_t index) override;

 private:
  platform::Services& services_;
  actions::RunObserver* next_;
  std::int32_t notification_;
  bool on_ = false;
  std::chrono::steady_clock::time_point started_;
  std::wstring failed_;
};

}  // namespace vendrel::addin
