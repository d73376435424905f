// The trace of the runs: kept as records, printed as they happen.
#include "tools/vendrel/Trace.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "addin/CVornAddIn.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "platform/Utf8.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

using platform::FromUtf8;
using platform::ToUtf8;

std::wstring KindName(std::int32_t type) {
  const commands::CommandKind* kind = commands::FindCommandKind(type);
  return kind ? kind->nameDefault : L"command " + std::to_wstring(type);
}

Json TextsJson(const CommandRecord& command) {
  Json texts = Json::array();
  for (const auto& [text, expanded] : command.texts) {
    texts.push_back({{"text", text}, {"expanded", expanded}});
  }
  return texts;
}

}  // namespace

std::string HexCode(std::int32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
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

CommandRecord* Trace::Current() {
  if (!inCommand_ || runs_.empty() || runs_.back().commands.empty()) return nullptr;
  return &runs_.back().commands.back();
}

void Trace::Message(const platform::MessageBoxRequest& box, platform::Answer answer) {
  boxes_.push_back(box.text);
  Shown("message", DescribeBox(box.caption, box.text) + L" -> " + FromUtf8(AnswerName(answer)));
}

void Trace::ButtonBox(const platform::ButtonBoxRequest& box, std::int32_t pressed) {
  boxes_.push_back(box.text);
  std::wstring name = std::to_wstring(pressed);
  for (const platform::BoxButton& button : box.buttons) {
    if (button.number == pressed) name = button.text;
  }
  Shown("message", DescribeBox(box.caption, box.text) + L" -> " + name);
}

void Trace::Dialog(const std::string& asked, const std::string& answer) {
  Shown("dialog", FromUtf8(asked + " -> " + answer));
}

void Trace::FileDialog(const platform::FileDialogRequest& dialog,
                       const std::optional<std::wstring>& chosen) {
  const wchar_t* name = dialog.kind == platform::FileDialogKind::kSave ? L"Save As" : L"Open";
  Shown("dialog", std::wstring(L"\"") + name + L"\" -> " + chosen.value_or(L"cancelled"));
}

void Trace::Shell(const std::wstring& request) {
  Shown("shell", request);
}

void Trace::Shown(const char* kind, const std::wstring& line) {
  if (CommandRecord* command = Current()) command->messages.push_back(line);
  if (!live_) return;
  PrintHeld();
  Print(std::string(inCommand_ ? "        " : "  ") + kind + " " + ToUtf8(line));
}

void Trace::Print(const std::string& line) {
  live_->write(line.data(), static_cast<std::streamsize>(line.size())).put('\n');
}

void Trace::BeginNotification(std::int32_t kind, std::size_t items, bool observed) {
  notification_ = kind;
  notifications_.push_back({kind, items, 0, 0, 0});
  if (!live_) return;
  *live_ << "  " << NotificationName(kind) << " (notification " << kind << "), " << items
         << " item(s)\n";
  if (!observed) *live_ << "    the add-in runs inside vendrel.dll; COM shows only its answers\n";
}

void Trace::EndNotification(std::int32_t status, std::int32_t refresh, std::int32_t veto) {
  if (notifications_.empty()) return;
  NotificationRecord& record = notifications_.back();
  record.status = status;
  record.refresh = refresh;
  record.veto = veto;
  if (live_) {
    *live_ << "    answered " << HexCode(status) << ", refresh " << refresh << ", veto " << veto
           << "\n";
  }
}

void Trace::RunStarted(const actions::Action& action, const actions::ActionData& run) {
  inRun_ = true;
  held_ = nullptr;
  quiet_ = false;
  quietUpTo_ = 0;
  runStarted_ = std::chrono::steady_clock::now();
  if (!live_) {
    runs_.push_back({notification_, action.actionId, action.name, run.documentNames, false, 0, {}});
    return;
  }
  const std::size_t count = run.documentNames.size();
  std::string line = "    run \"" + ToUtf8(action.name) + "\" (" + std::to_string(action.actionId) +
                     ") over " + std::to_string(count) + " document(s)";
  const std::size_t shown = allDocuments_ ? count : std::min(count, kDocumentsShown);
  for (std::size_t i = 0; i < shown; ++i) line.append(" ").append(ToUtf8(run.documentNames[i]));
  if (shown < count) line += " and " + std::to_string(count - shown) + " more";
  Print(line);
}

void Trace::RunEnded(const actions::Action&, const actions::ActionData&, bool ran) {
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - runStarted_)
                        .count();
  if (!ran) ++failures_;
  if (!runs_.empty()) {
    runs_.back().ran = ran;
    runs_.back().milliseconds = took;
  }
  if (live_ && !ran) Print("      refused: the document blocks do not balance");
  if (live_ && quietUpTo_ > kDocumentsShown) {
    Print("      documents " + std::to_string(kDocumentsShown + 1) + " to " +
          std::to_string(quietUpTo_) + ": only failures, boxes and dialogs (--full traces all)");
  }
  if (live_) Print("      took " + std::to_string(took) + " ms");
}

void Trace::CommandStarted(const commands::Cmd& command, std::size_t index,
                           const actions::ActionData& run) {
  if (!inRun_) return;
  inCommand_ = true;
  if (!live_) {
    runs_.back().commands.push_back(
        {index, command.TypeId(), command.Summary(), false, {}, {}, {}, {}});
    return;
  }
  const actions::Position document = run.currentName;
  quiet_ = !allDocuments_ && document && *document >= kDocumentsShown;
  if (quiet_) {
    held_ = &command;
    heldIndex_ = index;
    quietUpTo_ = std::max(quietUpTo_, *document + 1);
    return;
  }
  Print(Heading(command, index));
}

void Trace::PrintHeld() {
  if (!held_) return;
  Print(Heading(*held_, heldIndex_));
  held_ = nullptr;
}

const std::string& Trace::Heading(const commands::Cmd& command, std::size_t index) {
  if (index >= headings_.size()) headings_.resize(index + 1);
  CommandHeading& heading = headings_[index];
  // Loops run the same commands again and again; another action may differ at any index.
  if (heading.line.empty() || heading.type != command.TypeId() ||
      heading.summary != command.Summary()) {
    heading.type = command.TypeId();
    heading.summary = command.Summary();
    heading.line = "      " + std::to_string(index + 1) + ". " + ToUtf8(KindName(heading.type));
    if (!heading.summary.empty()) heading.line += ": " + ToUtf8(heading.summary);
  }
  return heading.line;
}

void Trace::CommandEnded(const commands::Cmd& ended, std::size_t, bool result,
                         const actions::ActionData&) {
  if (CommandRecord* command = Current()) command->result = result;
  inCommand_ = false;
  const bool failed = !result && !commands::SteersFlow(ended.TypeId());
  if (failed) ++failures_;
  if (live_ && failed) {
    PrintHeld();
    Print("        (reported a failure)");
  }
  held_ = nullptr;
  quiet_ = false;
}

void Trace::TextExpanded(const std::wstring& text, const std::wstring& expanded) {
  if (CommandRecord* command = Current()) command->texts.emplace_back(text, expanded);
  if (live_ && !quiet_ && text != expanded)
    Print("        " + ToUtf8(text) + " = " + ToUtf8(expanded));
}

void Trace::CommandDid(const std::wstring& what) {
  if (CommandRecord* command = Current()) command->done.push_back(what);
  if (live_ && !quiet_) Print("        " + ToUtf8(what));
}

void Trace::MarkSet(actions::ActionMark mark, const actions::Action&, std::size_t) {
  const wchar_t* name = mark == actions::ActionMark::kVeto ? L"veto" : L"refresh";
  if (CommandRecord* command = Current()) command->marks.push_back(name);
  if (live_ && !quiet_) Print("        marks the action for " + ToUtf8(name));
}

Json Trace::NotificationsJson() const {
  Json notifications = Json::array();
  for (const NotificationRecord& record : notifications_) {
    notifications.push_back({{"kind", record.kind},
                             {"items", record.items},
                             {"status", record.status},
                             {"refresh", record.refresh},
                             {"veto", record.veto}});
  }
  return notifications;
}

Json Trace::RunsJson() const {
  Json runs = Json::array();
  for (const RunRecord& record : runs_) {
    Json commands = Json::array();
    for (const CommandRecord& command : record.commands) {
      commands.push_back({{"index", command.index},
                          {"type", command.type},
                          {"command", KindName(command.type)},
                          {"summary", command.summary},
                          {"result", command.result},
                          {"texts", TextsJson(command)},
                          {"marks", command.marks},
                          {"messages", command.messages},
                          {"done", command.done}});
    }
    runs.push_back({{"notification", record.notification},
                    {"action", record.actionId},
                    {"name", record.name},
                    {"documents", record.documents},
                    {"ran", record.ran},
                    {"milliseconds", record.milliseconds},
                    {"commands", std::move(commands)}});
  }
  return runs;
}

}  // namespace vendrel::tools
