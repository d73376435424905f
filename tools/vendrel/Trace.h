// What the add-in did during one host operation: kept as records for the JSON report, or printed
// as it happens.
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
#include "tools/vendrel/TracePrinter.h"
#include "tools/vendrel/TraceRecorder.h"

namespace vendrel::tools {

// Listens to the runs; prints each step at once to `live` when given, else keeps the records
// that the JSON report reads.
class Trace final : public actions::RunObserver {
 public:
  explicit Trace(std::ostream* live);

  static constexpr std::size_t kDocumentsShown = TracePrinter::kDocumentsShown;
  void ListAllDocuments(bool all);

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
  // A dialog step about to be taken: traced before whatever it leads to, such as the steps of
  // the dialog it opens or a box, and forgotten when the dialog does not take it.
  void DialogStepBegun(const std::string& asked, const std::string& step);
  void DialogStepEnded(bool taken);
  // A file dialog and the path chosen in it; none when it was cancelled.
  void FileDialog(const platform::FileDialogRequest& dialog,
                  const std::optional<std::wstring>& chosen);
  // A shell request that this build reports instead of carrying out, in its own words.
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

  // Kept whether printed or not: the texts of the boxes shown, and how many commands failed.
  const std::vector<std::wstring>& Boxes() const { return boxes_; }
  std::size_t Failures() const { return failures_; }
  const TraceRecorder& Records() const { return recorder_; }

 private:
  // A box, dialog or shell step: `record` is kept with the command that showed it, `line`
  // printed.
  void Shown(const std::wstring& record, const std::string& line);

  // Where the runs are: commands outside a run are not traced.
  enum class Place { kOutside, kRun, kCommand };

  struct PendingStep {
    std::string asked;
    std::string step;
    bool traced;
  };
  void TracePendingSteps();
  bool ShowsDetails() const { return printer_ && printer_->ShowsDetails(); }

  TraceRecorder recorder_;
  std::optional<TracePrinter> printer_;
  Place place_ = Place::kOutside;
  std::int32_t notification_ = 0;
  std::vector<std::wstring> boxes_;
  std::size_t failures_ = 0;
  std::chrono::steady_clock::time_point runStarted_;
  std::vector<PendingStep> pendingSteps_;  // of nested dialogs, the outermost first
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
