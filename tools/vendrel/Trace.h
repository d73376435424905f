// What the add-in did during one host operation, as a readable trace and as JSON.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "actions/RunObserver.h"
#include "platform/FileDialogs.h"
#include "platform/Ui.h"
#include "tools/vendrel/JsonFwd.h"

namespace vendrel::tools {

struct CommandRecord {
  std::size_t index = 0;
  std::int32_t type = 0;
  std::wstring summary;
  bool result = false;
  std::vector<std::pair<std::wstring, std::wstring>> texts;  // as written, as expanded
  std::vector<std::wstring> marks;
  std::vector<std::wstring> messages;
  std::vector<std::wstring> done;  // what the command did, in its words
};

// One notification with the add-in's answers to it.
struct NotificationRecord {
  std::int32_t kind = 0;
  std::size_t items = 0;
  std::int32_t status = 0;
  std::int32_t refresh = 0;
  std::int32_t veto = 0;
};

struct RunRecord {
  std::int32_t notification = 0;
  std::int32_t actionId = 0;
  std::wstring name;
  std::vector<std::wstring> documents;
  bool ran = false;
  std::int64_t milliseconds = 0;
  std::vector<CommandRecord> commands;
};

// Listens to the runs; prints each step at once to `live` when given, else keeps the records
// that the JSON report reads.
class Trace final : public actions::RunObserver {
 public:
  explicit Trace(std::ostream* live) : live_(live) {}

  // Runs over many documents list the first ten, and trace every step of those ten only,
  // unless all are asked for: later documents show their failures, boxes and dialogs.
  static constexpr std::size_t kDocumentsShown = 10;
  void ListAllDocuments(bool all) { allDocuments_ = all; }

  // The notification whose runs follow; `observed` tells whether its runs reach this trace.
  void BeginNotification(std::int32_t kind, std::size_t items, bool observed);
  // What the add-in answered to the notification begun last.
  void EndNotification(std::int32_t status, std::int32_t refresh, std::int32_t veto);
  // A message box of a command, or of the add-in outside any command.
  void Message(const platform::MessageBoxRequest& box, platform::Answer answer);
  // A box of the host's own buttons and the number of the one pressed.
  void ButtonBox(const platform::ButtonBoxRequest& box, std::int32_t pressed);
  // A step a dialog of a command took: what it asked, and the answer line or its end.
  void Dialog(const std::string& asked, const std::string& answer);
  // A file dialog and the path chosen in it; none when it was cancelled.
  void FileDialog(const platform::FileDialogRequest& dialog,
                  const std::optional<std::wstring>& chosen);
  // A shell request that this build reports instead of carrying out.
  void Shell(const std::wstring& request);

  void RunStarted(const actions::Action& action, const actions::ActionData& run) override;
  void RunEnded(const actions::Action& action, const actions::ActionData& run, bool ran) override;
  void CommandStarted(const commands::Cmd& command, std::size_t index,
                      const actions::ActionData& run) override;
  void CommandEnded(const commands::Cmd& command, std::size_t index, bool result,
                    const actions::ActionData& run) override;
  void TextExpanded(const std::wstring& text, const std::wstring& expanded) override;
  void CommandDid(const std::wstring& what) override;
  void MarkSet(actions::ActionMark mark, const actions::Action& action, std::size_t index) override;

  const std::vector<RunRecord>& Runs() const { return runs_; }
  // Kept whether printed or not: the texts of the boxes shown, and how many commands failed.
  const std::vector<std::wstring>& Boxes() const { return boxes_; }
  std::size_t Failures() const { return failures_; }
  Json RunsJson() const;
  Json NotificationsJson() const;

 private:
  CommandRecord* Current();
  // A box or dialog step, kept with the command that showed it.
  void Shown(const char* kind, const std::wstring& line);
  // One whole line, so a long run costs one write to the stream per step.
  void Print(const std::string& line);
  // The line that announces a command, built once for each position in the action.
  const std::string& Heading(const commands::Cmd& command, std::size_t index);
  // Prints the heading of a command held back, before a line that is always shown.
  void PrintHeld();

  std::ostream* live_;
  std::int32_t notification_ = 0;
  std::vector<NotificationRecord> notifications_;
  std::vector<RunRecord> runs_;
  std::vector<std::wstring> boxes_;
  std::size_t failures_ = 0;
  bool inRun_ = false;  // a run has started: commands belong to it
  bool inCommand_ = false;
  bool allDocuments_ = false;
  std::chrono::steady_clock::time_point runStarted_;
  struct CommandHeading {
    std::int32_t type = 0;
    std::wstring summary;
    std::string line;
  };
  std::vector<CommandHeading> headings_;  // by index
  // A command of a document past the first ten: its steps are not printed, its heading only
  // before a failure, box or dialog.
  const commands::Cmd* held_ = nullptr;
  std::size_t heldIndex_ = 0;
  bool quiet_ = false;
  std::size_t quietUpTo_ = 0;  // documents of the run, up to the last one held back
};

// 0x80004005 and the like.
std::string HexCode(std::int32_t code);
// "before check out" and the like.
std::string NotificationName(std::int32_t kind);
// "OK", "Yes"... as the box's button reads.
std::string AnswerName(platform::Answer answer);
// A box as one line: [caption] text, with line breaks shown as " / ".
std::wstring DescribeBox(const std::wstring& caption, const std::wstring& text);

}  // namespace vendrel::tools
