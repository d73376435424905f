// What the add-in registered, and choosing one of its menu commands.
#include <ostream>

#include "host/Strings.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/Operations.h"
#include "tools/vendrel/Report.h"

namespace vendrel::tools {
namespace {

Json RegisteredJson(const VaultHost& host) {
  const host::AddInInfo& info = host.Info();
  Json entries = Json::array();
  for (const MenuEntry& entry : host.Registered().menus) {
    entries.push_back(
        {{"menu", entry.id}, {"text", strings::HostText(entry.text)}, {"flags", entry.flags}});
  }
  for (const std::int32_t kind : host.Registered().hooks) entries.push_back({{"hook", kind}});
  return {{"info",
           {{"name", info.name},
            {"company", info.company},
            {"description", info.description},
            {"version", info.version}}},
          {"registrations", std::move(entries)}};
}

}  // namespace

int RunMenu(Call& call) {
  VaultHost& host = call.Host();
  const Args& args = call.Arguments();
  if (args.empty()) throw call.Misused();
  MenuChoice choice = ChooseMenuCommand(host, args);
  return Report(call, "menu", choice.outcome, choice.files, *choice.mark);
}

int RunRegistered(Call& call) {
  VaultHost& host = call.Host();
  std::ostream& out = call.Out();
  if (call.Json()) {
    out << WriteJson(RegisteredJson(host));
    return kExitOk;
  }
  const host::AddInInfo& info = host.Info();
  out << Utf8(info.name) << ", " << Utf8(info.company) << ", " << Utf8(info.description) << " ("
      << info.version << ")\n";
  for (const MenuEntry& entry : host.Registered().menus) {
    out << "menu " << entry.id << " \"" << Utf8(strings::HostText(entry.text)) << "\" flags "
        << HexCode(entry.flags) << "\n";
  }
  for (const std::int32_t kind : host.Registered().hooks) {
    out << "hook " << kind << " " << NotificationName(kind) << "\n";
  }
  return kExitOk;
}

}  // namespace vendrel::tools
