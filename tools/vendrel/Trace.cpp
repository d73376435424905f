// The trace of the runs: kept as records, printed as they happen.
#include "tools/vendrel/Trace.h"

#include <cstdio>
#include <utility>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "addin/CVornAddIn.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "platform/Utf8.h"

namespace vendrel::tools {
namespace {

using platform::FromUtf8;
using platform::ToUtf8;

std::wstring KindName(std::int32_t type) {
  const commands::CommandKind* kind = commands::FindCommandKind(type);
  return kind ? kind->nameDefault : L"command " + std::to_wstring(type);
}

Json TextsJson(const CommandRecord& command) {
  Json::Array texts;
  for (const auto& [text, expanded] : command.texts) {
    Json item;
    item.Add("text", text);
    item.Add("expanded", expanded);
    texts.push_back(std::move(item));
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
  static constexpr std::pair<std::int32_t, const char*> kNames[] = {
      {addin::kMenuCommand, "menu command"},
      {addin::kBeforeCheckOut, "before check out"},
      {addin::kAfterCheckOut, "after check out"},
      {addin::kBeforeCheckIn, "before check in"},
      {addin::kAfterCheckIn, "after check in"},
      {addin::kBeforeUndoCheckOut, "before undo check out"},
      {addin::kAfterUndoCheckOut, "after undo check out"},
      {addin::kBeforeStateChange, "before state change"},
      {addin::kAfterStateChange, "after state change"},
      {addin::kBeforeAdd, "before add"},
      {addin::kAfterAdd, "after add"},
      {addin::kBeforeAddByPath, "before add, second form"},
      {addin::kAfterAddByPath, "after add, second form"}};
  for (const auto& [known, name] : kNames) {
    if (known == kind) return name;
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
  Shown("message", DescribeBox(box.caption, box.text) + L" -> " + FromUtf8(AnswerName(answer)));
}

void Trace::ButtonBox(const platform::ButtonBoxRequest& box, std::int32_t pressed) {
  std::wstring name = std::to_wstring(pressed);
  for (const platform::BoxButton& button : box.buttons) {
    if (button.number == pressed) name = button.text;
  }
  Shown("message", DescribeBox(box.caption, box.text) + L" -> " + name);
}

void Trace::Dialog(const std::string& asked, const std::string& answer) {
  Shown("dialog", FromUtf8(asked + " -> " + answer));
}

void Trace::Shown(const char* kind, const std::wstring& line) {
  if (CommandRecord* command = Current()) command->messages.push_back(line);
  if (live_) *live_ << (inCommand_ ? "        " : "  ") << kind << " " << ToUtf8(line) << "\n";
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
  RunRecord record;
  record.notification = notification_;
  record.actionId = action.actionId;
  record.name = action.name;
  record.documents = run.documentNames;
  runs_.push_back(std::move(record));
  if (live_) {
    *live_ << "    run \"" << ToUtf8(action.name) << "\" (" << action.actionId << ") over "
           << run.documentNames.size() << " document(s)";
    for (const std::wstring& name : run.documentNames) *live_ << " " << ToUtf8(name);
    *live_ << "\n";
  }
}

void Trace::RunEnded(const actions::Action&, const actions::ActionData&, bool ran) {
  if (!runs_.empty()) runs_.back().ran = ran;
  if (live_ && !ran) *live_ << "      refused: the document blocks do not balance\n";
}

void Trace::CommandStarted(const commands::Cmd& command, std::size_t index,
                           const actions::ActionData&) {
  if (runs_.empty()) return;
  runs_.back().commands.push_back({index, command.TypeId(), command.Summary(), false, {}, {}, {}});
  inCommand_ = true;
  if (live_) {
    *live_ << "      " << index + 1 << ". " << ToUtf8(KindName(command.TypeId()));
    if (!command.Summary().empty()) *live_ << ": " << ToUtf8(command.Summary());
    *live_ << "\n";
  }
}

void Trace::CommandEnded(const commands::Cmd&, std::size_t, bool result,
                         const actions::ActionData&) {
  if (CommandRecord* command = Current()) command->result = result;
  inCommand_ = false;
  if (live_ && !result) *live_ << "        (reported a failure)\n";
}

void Trace::TextExpanded(const std::wstring& text, const std::wstring& expanded) {
  if (CommandRecord* command = Current()) command->texts.emplace_back(text, expanded);
  if (live_ && text != expanded) {
    *live_ << "        " << ToUtf8(text) << " = " << ToUtf8(expanded) << "\n";
  }
}

void Trace::MarkSet(actions::ActionMark mark, const actions::Action&, std::size_t) {
  const wchar_t* name = mark == actions::ActionMark::kVeto ? L"veto" : L"refresh";
  if (CommandRecord* command = Current()) command->marks.push_back(name);
  if (live_) *live_ << "        marks the action for " << ToUtf8(name) << "\n";
}

Json Trace::NotificationsJson() const {
  Json::Array notifications;
  for (const NotificationRecord& record : notifications_) {
    Json item;
    item.Add("kind", record.kind);
    item.Add("items", static_cast<std::int64_t>(record.items));
    item.Add("status", record.status);
    item.Add("refresh", record.refresh);
    item.Add("veto", record.veto);
    notifications.push_back(std::move(item));
  }
  return notifications;
}

Json Trace::RunsJson() const {
  Json::Array runs;
  for (const RunRecord& record : runs_) {
    Json run;
    run.Add("notification", record.notification);
    run.Add("action", record.actionId);
    run.Add("name", record.name);
    Json::Array documents(record.documents.begin(), record.documents.end());
    run.Add("documents", std::move(documents));
    run.Add("ran", record.ran);
    Json::Array commands;
    for (const CommandRecord& command : record.commands) {
      Json item;
      item.Add("index", static_cast<std::int64_t>(command.index));
      item.Add("type", command.type);
      item.Add("command", KindName(command.type));
      item.Add("summary", command.summary);
      item.Add("result", command.result);
      item.Add("texts", TextsJson(command));
      item.Add("marks", Json::Array(command.marks.begin(), command.marks.end()));
      item.Add("messages", Json::Array(command.messages.begin(), command.messages.end()));
      commands.push_back(std::move(item));
    }
    run.Add("commands", std::move(commands));
    runs.push_back(std::move(run));
  }
  return runs;
}

}  // namespace vendrel::tools
