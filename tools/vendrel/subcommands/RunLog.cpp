// `vendrel log`: the add-in's run log of this user, and switching it on and off.
#include <ostream>

#include "addin/RunLogger.h"
#include "platform/NativePath.h"
#include "platform/Registry.h"
#include "platform/RunLog.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/Trace.h"

namespace vendrel::tools {
namespace {

Json LineJson(const addin::RunLogLine& line) {
  // The log's "2026-12-06 23:41:20" in ISO 8601.
  std::wstring time = line.time;
  if (time.size() > 10 && time[10] == L' ') time[10] = L'T';
  if (!line.note.empty())
    return {{"time", time}, {"user", line.user}, {"computer", line.computer}, {"note", line.note}};
  return {{"time", time},
          {"user", line.user},
          {"computer", line.computer},
          {"notification", line.notification},
          {"action", line.actionId},
          {"name", line.action},
          {"milliseconds", line.milliseconds},
          {"ran", line.ran},
          {"refresh", line.refresh},
          {"veto", line.veto},
          {"failed", line.failed}};
}

std::string LineText(const addin::RunLogLine& line) {
  const std::string who = Utf8(line.time) + "  " + Utf8(line.user) + "@" + Utf8(line.computer);
  if (!line.note.empty()) return who + "  note: " + Utf8(line.note);
  std::string text = who + "  " + NotificationName(line.notification) + "  \"" + Utf8(line.action) +
                     "\" (" + std::to_string(line.actionId) + ")  " +
                     std::to_string(line.milliseconds) + " ms";
  if (!line.ran) text += "  refused: the document blocks do not balance";
  if (line.refresh) text += "  refresh";
  if (line.veto) text += "  veto";
  if (!line.failed.empty()) text += "  failed at command " + Utf8(line.failed);
  return text;
}

}  // namespace

int RunLog(Call& call) {
  if (call.Arguments().size() > 1) throw call.Misused();
  if (call.Arguments().size() == 1) {
    const std::string& switched = call.Arguments()[0];
    if (switched != "on" && switched != "off") throw call.Misused();
    if (!call.Registry()->Write(platform::RegistryRoot::kCurrentUser, addin::kSettingsKey,
                                addin::kRunLogValue, std::uint32_t{switched == "on" ? 1u : 0u})) {
      throw UsageError(
          "the run log's registry value cannot be written; check the rights on "
          "HKEY_CURRENT_USER\\Software\\Vendrel");
    }
    call.Out() << "the run log is " << switched << "\n";
    return kExitOk;
  }
  platform::RotatedLogFile file(platform::RotatedLogFile::DefaultFile());
  Json lines = Json::array();
  Json notes = Json::array();
  for (const std::wstring& text : file.Lines()) {
    addin::RunLogLine line;
    if (!addin::RunLogLine::Parse(text, line)) continue;
    if (call.Json()) {
      (line.note.empty() ? lines : notes).push_back(LineJson(line));
    } else {
      call.Out() << LineText(line) << "\n";
    }
  }
  if (call.Json()) {
    call.Out() << WriteJson({{"file", platform::PathText(file.File())},
                             {"runs", std::move(lines)},
                             {"notes", std::move(notes)}});
  }
  return kExitOk;
}

}  // namespace vendrel::tools
