// The records of a trace and their JSON form.
#include "tools/vendrel/TraceRecorder.h"

#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

Json TextsJson(const CommandRecord& command) {
  Json texts = Json::array();
  for (const auto& [text, expanded] : command.texts) {
    texts.push_back({{"text", text}, {"expanded", expanded}});
  }
  return texts;
}

}  // namespace

std::wstring KindName(std::int32_t type) {
  const commands::CommandKind* kind = commands::FindCommandKind(type);
  return kind ? kind->nameDefault : L"command " + std::to_wstring(type);
}

void TraceRecorder::Notification(std::int32_t kind, std::size_t items) {
  notifications_.push_back({kind, items, 0, 0, 0});
}

void TraceRecorder::Answered(std::int32_t status, std::int32_t refresh, std::int32_t veto) {
  if (notifications_.empty()) return;
  NotificationRecord& record = notifications_.back();
  record.status = status;
  record.refresh = refresh;
  record.veto = veto;
}

void TraceRecorder::RunStarted(RunRecord run) {
  if (runs_) runRecords_.push_back(std::move(run));
}

void TraceRecorder::RunEnded(bool ran, std::int64_t milliseconds) {
  if (runRecords_.empty()) return;
  runRecords_.back().ran = ran;
  runRecords_.back().milliseconds = milliseconds;
}

void TraceRecorder::CommandStarted(const commands::Cmd& command, std::size_t index) {
  inCommand_ = true;
  if (runs_) {
    runRecords_.back().commands.push_back(
        {index, command.TypeId(), command.Summary(), false, {}, {}, {}, {}});
  }
}

void TraceRecorder::CommandEnded(bool result) {
  if (CommandRecord* command = Current()) command->result = result;
  inCommand_ = false;
}

CommandRecord* TraceRecorder::Current() {
  if (!inCommand_ || runRecords_.empty() || runRecords_.back().commands.empty()) return nullptr;
  return &runRecords_.back().commands.back();
}

void TraceRecorder::Text(const std::wstring& text, const std::wstring& expanded) {
  if (CommandRecord* command = Current()) command->texts.emplace_back(text, expanded);
}

void TraceRecorder::Did(const std::wstring& what) {
  if (CommandRecord* command = Current()) command->done.push_back(what);
}

void TraceRecorder::Mark(const std::wstring& name) {
  if (CommandRecord* command = Current()) command->marks.push_back(name);
}

void TraceRecorder::Shown(const std::wstring& line) {
  if (CommandRecord* command = Current()) command->messages.push_back(line);
}

Json TraceRecorder::NotificationsJson() const {
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

Json TraceRecorder::RunsJson() const {
  Json runs = Json::array();
  for (const RunRecord& record : runRecords_) {
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
