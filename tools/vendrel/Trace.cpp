// The trace of the runs: every event goes to the records, or to the printer when live.
#include "tools/vendrel/Trace.h"

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "addin/CVornAddIn.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "host/Strings.h"
#include "platform/Utf8.h"

namespace vendrel::tools {

using platform::FromUtf8;
using platform::ToUtf8;

std::string HexCode(std::int32_t code) {
  return ToUtf8(strings::HexCode(code));
}

std::string NotificationName(std::int32_t kind) {
  // Each operation has a notification before it and one after.
  static constexpr struct {
    std::int32_t before;
    std::int32_t after;
    const char* operation;
  } kOperations[] = {{addin::kBeforeCheckOut, addin::kAfterCheckOut, "check out"},
                     {addin::kBeforeCheckIn, addin::kAfterCheckIn, "check in"},
                     {addin::kBeforeUndoCheckOut, addin::kAfterUndoCheckOut, "undo check out"},
                     {addin::kBeforeStateChange, addin::kAfterStateChange, "state change"},
                     {addin::kBeforeAdd, addin::kAfterAdd, "add"},
                     {addin::kBeforeAddByPath, addin::kAfterAddByPath, "add, second form"}};
  if (kind == addin::kMenuCommand) return "menu command";
  for (const auto& [before, after, operation] : kOperations) {
    if (kind == before) return std::string("before ") + operation;
    if (kind == after) return std::string("after ") + operation;
  }
  return "kind " + std::to_string(kind);
}

std::string AnswerName(platform::Answer answer) {
  switch (answer) {
    case platform::Answer::kOk:
      return "OK";
    case platform::Answer::kCancel:
      return "Cancel";
    case platform::Answer::kYes:
      return "Yes";
    case platform::Answer::kNo:
      return "No";
  }
  return "?";
}

std::wstring DescribeBox(const std::wstring& caption, const std::wstring& text) {
  std::wstring shown = text;
  for (std::size_t at = shown.find(L'\n'); at != std::wstring::npos; at = shown.find(L'\n', at)) {
    shown.replace(at, 1, L" / ");
  }
  return L"[" + caption + L"] " + shown;
}

Trace::Trace(std::ostream* live) : recorder_(live == nullptr) {
  if (live) printer_.emplace(*live);
}

void Trace::ListAllDocuments(bool all) {
  if (printer_) printer_->ListAllDocuments(all);
}

void Trace::Message(const platform::MessageBoxRequest& box, platform::Answer answer) {
  boxes_.push_back(box.text);
  const std::wstring line =
      DescribeBox(box.caption, box.text) + L" -> " + FromUtf8(AnswerName(answer));
  Shown(line, "message " + ToUtf8(line));
}

void Trace::ButtonBox(const platform::ButtonBoxRequest& box, std::int32_t pressed) {
  boxes_.push_back(box.text);
  std::wstring name = std::to_wstring(pressed);
  for (const platform::BoxButton& button : box.buttons) {
    if (button.number == pressed) name = button.text;
  }
  const std::wstring line = DescribeBox(box.caption, box.text) + L" -> " + name;
  Shown(line, "message " + ToUtf8(line));
}

void Trace::Dialog(const std::string& asked, const std::string& answer) {
  const std::string line = asked + " -> " + answer;
  Shown(FromUtf8(line), "dialog " + line);
}

void Trace::DialogStepBegun(const std::string& asked, const std::string& step) {
  pendingSteps_.push_back({asked, step, false});
}

void Trace::DialogStepEnded(bool taken) {
  if (pendingSteps_.empty()) return;
  const PendingStep ended = std::move(pendingSteps_.back());
  pendingSteps_.pop_back();
  if (taken && !ended.traced) Dialog(ended.asked, ended.step);
}

void Trace::TracePendingSteps() {
  // Every output traces them all, so the untraced ones are the innermost.
  auto first = pendingSteps_.begin();
  while (first != pendingSteps_.end() && first->traced) ++first;
  for (auto step = first; step != pendingSteps_.end(); ++step) step->traced = true;
  for (auto step = first; step != pendingSteps_.end(); ++step) Dialog(step->asked, step->step);
}

void Trace::FileDialog(const platform::FileDialogRequest& dialog,
                       const std::optional<std::wstring>& chosen) {
  const wchar_t* name = dialog.kind == platform::FileDialogKind::kSave ? L"Save As" : L"Open";
  const std::wstring line = std::wstring(L"\"") + name + L"\" -> " + chosen.value_or(L"cancelled");
  Shown(line, "dialog " + ToUtf8(line));
}

void Trace::Shell(const std::wstring& request) {
  Shown(request, ToUtf8(request));
}

void Trace::Shown(const std::wstring& record, const std::string& line) {
  TracePendingSteps();
  recorder_.Shown(record);
  if (printer_) printer_->Shown(line, place_ == Place::kCommand);
}

void Trace::BeginNotification(std::int32_t kind, std::size_t items, bool observed) {
  notification_ = kind;
  recorder_.Notification(kind, items);
  if (printer_) printer_->Notification(NotificationName(kind), kind, items, observed);
}

void Trace::EndNotification(std::int32_t status, std::int32_t refresh, std::int32_t veto) {
  recorder_.Answered(status, refresh, veto);
  if (printer_) printer_->Answered(status, refresh, veto);
}

void Trace::RunStarted(const actions::Action& action, const actions::ActionData& run) {
  place_ = Place::kRun;
  runStarted_ = std::chrono::steady_clock::now();
  recorder_.RunStarted(
      {notification_, action.actionId, action.name, run.documentNames, false, 0, {}});
  if (printer_) printer_->RunStarted(action, run);
}

void Trace::RunEnded(const actions::Action&, const actions::ActionData&, bool ran) {
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - runStarted_)
                        .count();
  if (!ran) ++failures_;
  recorder_.RunEnded(ran, took);
  if (printer_) printer_->RunEnded(ran, took);
}

void Trace::CommandStarted(const commands::Cmd& command, std::size_t index,
                           const actions::ActionData& run) {
  if (place_ == Place::kOutside) return;
  place_ = Place::kCommand;
  recorder_.CommandStarted(command, index);
  if (printer_) printer_->CommandStarted(command, index, run);
}

void Trace::CommandEnded(const commands::Cmd& ended, std::size_t, bool result,
                         const actions::ActionData&) {
  recorder_.CommandEnded(result);
  if (place_ == Place::kCommand) place_ = Place::kRun;
  const bool failed = !result && !commands::SteersFlow(ended.TypeId());
  if (failed) ++failures_;
  if (printer_) printer_->CommandEnded(failed);
}

void Trace::TextExpanded(const std::wstring& text, const std::wstring& expanded) {
  recorder_.Text(text, expanded);
  if (ShowsDetails() && text != expanded) printer_->Detail(ToUtf8(text) + " = " + ToUtf8(expanded));
}

void Trace::CommandDid(const std::wstring& what) {
  recorder_.Did(what);
  if (ShowsDetails()) printer_->Detail(ToUtf8(what));
}

void Trace::MarkSet(actions::ActionMark mark, const actions::Action&, std::size_t) {
  const wchar_t* name = mark == actions::ActionMark::kVeto ? L"veto" : L"refresh";
  recorder_.Mark(name);
  if (ShowsDetails()) printer_->Detail("marks the action for " + ToUtf8(name));
}

}  // namespace vendrel::tools
