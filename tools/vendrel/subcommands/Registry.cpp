// The registry values that actions read and write: the emulated registry natively, the real one
// on Windows. Paths split as the registry command and registry variables split them.
#include <ostream>
#include <variant>

#include "actions/Number.h"
#include "commands/core/RegistryPath.h"
#include "platform/Registry.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

struct NamedValue {
  std::wstring path;  // as given: KEY\VALUE
  commands::RegistryPath where;
};

// KEY\VALUE, or KEY alone naming the value as an action does: ROOT\subkey\name.
NamedValue ValueOf(const std::string& key, const std::string* value) {
  std::wstring path = Wide(key);
  if (value) path += L"\\" + Wide(*value);
  const auto where = commands::SplitRegistryPath(path);
  if (!where) {
    throw UsageError(Utf8(path) +
                     " is no registry value: write ROOT\\subkey\\name with ROOT one of "
                     "HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, "
                     "HKEY_CURRENT_CONFIG (actions know no short names such as HKCU)");
  }
  return {path, *where};
}

// As the registry command reads it: a sign and decimal digits, clamped to 32 bits, a negative
// number stored as its two's complement. What the command would drop after the digits is
// refused here, since it is most likely a typing error.
std::uint32_t Dword(const std::string& text) {
  const std::wstring wide = Wide(text);
  std::size_t end = 0;
  const std::int32_t number = actions::ReadNumber(wide, &end);
  if (end == 0 || end != wide.size()) {
    throw UsageError("--dword takes a decimal number such as 42 or -1, not \"" + text + "\"");
  }
  return static_cast<std::uint32_t>(number);
}

std::wstring DataText(const platform::RegistryData& data) {
  if (const auto* text = std::get_if<std::wstring>(&data)) return *text;
  return std::to_wstring(std::get<std::uint32_t>(data));
}

int Answer(Call& call, const NamedValue& value, const platform::RegistryData& data) {
  const bool dword = std::holds_alternative<std::uint32_t>(data);
  if (call.Json()) {
    Json json;
    json["path"] = value.path;
    json["kind"] = dword ? L"dword" : L"string";
    json["data"] = dword ? Json(std::int64_t{std::get<std::uint32_t>(data)})
                         : Json(std::get<std::wstring>(data));
    call.Out() << WriteJson(json);
  } else {
    call.Out() << Utf8(DataText(data)) << (dword ? " (DWORD)" : "") << "\n";
  }
  return kExitOk;
}

}  // namespace

int RunRegGet(Call& call) {
  const Args& args = call.Arguments();
  if (args.empty() || args.size() > 2) throw call.Misused();
  const NamedValue value = ValueOf(args[0], args.size() == 2 ? &args[1] : nullptr);
  const std::unique_ptr<platform::Registry> registry = call.Registry(true);
  const auto data = registry
                        ? registry->Read(value.where.root, value.where.subkey, value.where.name)
                        : std::nullopt;
  if (!data) {
    call.Io().err << "vendrel: " << Utf8(value.path) << " is not set\n";
    return kExitRefused;
  }
  return Answer(call, value, *data);
}

int RunRegSet(Call& call) {
  const Args& args = call.Arguments();
  if (args.size() != 3) throw call.Misused();
  const NamedValue value = ValueOf(args[0], &args[1]);
  const platform::RegistryData data = call.Opt().dword ? platform::RegistryData(Dword(args[2]))
                                                       : platform::RegistryData(Wide(args[2]));
  if (!call.Registry()->Write(value.where.root, value.where.subkey, value.where.name, data)) {
    call.Io().err << "vendrel: the registry refused to write " << Utf8(value.path) << "\n";
    return kExitRefused;
  }
  return Answer(call, value, data);
}

}  // namespace vendrel::tools
