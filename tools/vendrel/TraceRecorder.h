// The records of a trace: what each notification was answered and what each run did, kept for
// the JSON report.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/vendrel/JsonFwd.h"

namespace vendrel::commands {
class Cmd;
}

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

// The name of a command kind, as the trace and the report show it.
std::wstring KindName(std::int32_t type);

class TraceRecorder {
 public:
  // With `runs` false only the notifications are kept: a live trace has printed the runs.
  explicit TraceRecorder(bool runs) : runs_(runs) {}

  void Notification(std::int32_t kind, std::size_t items);
  void Answered(std::int32_t status, std::int32_t refresh, std::int32_t veto);
  void RunStarted(RunRecord run);
  void RunEnded(bool ran, std::int64_t milliseconds);
  void CommandStarted(const commands::Cmd& command, std::size_t index);
  void CommandEnded(bool result);
  // The parts of the command running; nothing outside a command.
  void Text(const std::wstring& text, const std::wstring& expanded);
  void Did(const std::wstring& what);
  void Mark(const std::wstring& name);
  void Shown(const std::wstring& line);

  Json RunsJson() const;
  Json NotificationsJson() const;

 private:
  CommandRecord* Current();

  bool runs_;
  bool inCommand_ = false;
  std::vector<NotificationRecord> notifications_;
  std::vector<RunRecord> runRecords_;
};

}  // namespace vendrel::tools
