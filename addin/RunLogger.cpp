// The run log's lines and the observer that writes them.
#include "addin/RunLogger.h"

#include "actions/Action.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "platform/RunLog.h"

namespace vendrel::addin {
namespace {

// A field never holds the separators.
std::wstring Field(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == L'\t' || c == L'\n' || c == L'\r') c = L' ';
  }
  return text;
}

std::vector<std::wstring> Split(const std::wstring& text) {
  std::vector<std::wstring> fields(1);
  for (const wchar_t c : text) {
    if (c == L'\t') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

constexpr wchar_t kNote[] = L"note";

std::wstring Now(platform::Clock* clock) {
  if (clock == nullptr) return {};
  return platform::FormatCivil(clock->Now());
}

}  // namespace

RunLogLine RunLogLine::Stamped(platform::Services& services) {
  RunLogLine line;
  line.time = Now(services.clock);
  if (services.machine) {
    line.user = services.machine->UserName();
    line.computer = services.machine->ComputerName();
  }
  return line;
}

std::wstring RunLogLine::Text() const {
  if (!note.empty()) {
    return Field(time) + L"\t" + Field(user) + L"\t" + Field(computer) + L"\t" + kNote + L"\t" +
           Field(note);
  }
  const std::wstring fields[] = {Field(time),
                                 Field(user),
                                 Field(computer),
                                 std::to_wstring(notification),
                                 std::to_wstring(actionId),
                                 Field(action),
                                 std::to_wstring(milliseconds),
                                 ran ? L"ran" : L"refused",
                                 refresh ? L"1" : L"0",
                                 veto ? L"1" : L"0",
                                 Field(failed)};
  std::wstring text;
  for (const std::wstring& field : fields) text += (text.empty() ? L"" : L"\t") + field;
  return text;
}

bool RunLogLine::Parse(const std::wstring& text, RunLogLine& line) {
  const std::vector<std::wstring> f = Split(text);
  if (f.size() == 5 && f[3] == kNote && !f[4].empty()) {
    line = {};
    line.time = f[0];
    line.user = f[1];
    line.computer = f[2];
    line.note = f[4];
    return true;
  }
  if (f.size() != 11) return false;
  try {
    line = {f[0],
            f[1],
            f[2],
            std::stoi(f[3]),
            std::stoi(f[4]),
            f[5],
            std::stoll(f[6]),
            f[7] == L"ran",
            f[8] == L"1",
            f[9] == L"1",
            f[10],
            {}};
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool RunLogOn(platform::Services& services) {
  if (services.runLog == nullptr || services.registry == nullptr) return false;
  const auto value =
      services.registry->Read(platform::RegistryRoot::kCurrentUser, kSettingsKey, kRunLogValue);
  const auto* number = value ? std::get_if<std::uint32_t>(&*value) : nullptr;
  return number != nullptr && *number != 0;
}

void AppendRunLogNote(platform::Services& services, const std::wstring& note) {
  if (!RunLogOn(services)) return;
  RunLogLine line = RunLogLine::Stamped(services);
  line.note = note;
  services.runLog->Append(line.Text());
}

RunLogger::RunLogger(platform::Services& services, actions::RunObserver* next,
                     std::int32_t notification)
    : services_(services), next_(next), notification_(notification), on_(RunLogOn(services)) {}

void RunLogger::RunStarted(const actions::Action& action, const actions::ActionData& run) {
  started_ = std::chrono::steady_clock::now();
  failed_.clear();
  if (next_) next_->RunStarted(action, run);
}

void RunLogger::RunEnded(const actions::Action& action, const actions::ActionData& run, bool ran) {
  if (next_) next_->RunEnded(action, run, ran);
  RunLogLine line = RunLogLine::Stamped(services_);
  line.notification = notification_;
  line.actionId = action.actionId;
  line.action = action.name;
  line.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - started_)
                          .count();
  line.ran = ran;
  line.refresh = action.refreshMark;
  line.veto = action.vetoMark;
  line.failed = failed_;
  services_.runLog->Append(line.Text());
}

void RunLogger::CommandStarted(const commands::Cmd& command, std::size_t index,
                               const actions::ActionData& run) {
  if (next_) next_->CommandStarted(command, index, run);
}

void RunLogger::CommandEnded(const commands::Cmd& command, std::size_t index, bool result,
                             const actions::ActionData& run) {
  if (!result && failed_.empty() && !commands::SteersFlow(command.TypeId())) {
    failed_ = std::to_wstring(index + 1) + L" " + command.GetName();
  }
  if (next_) next_->CommandEnded(command, index, result, run);
}

void RunLogger::TextExpanded(const std::wstring& text, const std::wstring& expanded) {
  if (next_) next_->TextExpanded(text, expanded);
}

void RunLogger::MarkSet(actions::ActionMark mark, const actions::Action& action,
                        std::size_t index) {
  if (next_) next_->MarkSet(mark, action, index);
}

}  // namespace vendrel::addin
