// Card variables, the card values of files and folders, and the configurations of files; written
// as an administrator writes them, without a check-out.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <ostream>

#include "commands/core/ValueText.h"
#include "commands/vault/CardValue.h"
#include "platform/CaseFold.h"
#include "tools/vendrel/CardValues.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {
namespace {

struct TypeName {
  sim::CardType type;
  const char* name;
  const char* takes;  // what a value of the type is written as
};

constexpr std::array<TypeName, 5> kTypes{{
    {sim::CardType::kText, "text", "any text"},
    {sim::CardType::kInteger, "integer", "a whole number of 32 bits"},
    {sim::CardType::kFloat, "float", "a number"},
    {sim::CardType::kDate, "date",
     "a date such as 2024-02-29, optionally with a time such as 13:30"},
    {sim::CardType::kYesNo, "yesno", "True, False or a number"},
}};

const TypeName& TypeOf(std::int32_t type) {
  const auto found = std::find_if(kTypes.begin(), kTypes.end(), [&](const TypeName& t) {
    return static_cast<std::int32_t>(t.type) == type;
  });
  if (found == kTypes.end())
    throw UsageError("card variable of unknown type " + std::to_string(type));
  return *found;
}

std::vector<host::CardVariableInfo> CardVariables(VaultHost& host) {
  host::Ref<host::VariableManager> manager;
  std::vector<host::CardVariableInfo> variables;
  if (host::Failed(host.Session().Variables(manager)) || !manager ||
      host::Failed(manager->Variables(variables))) {
    throw UsageError("the vault does not list its card variables");
  }
  return variables;
}

// Null when the vault has no card variable of that name, in any case.
const host::CardVariableInfo* FindVariable(const std::vector<host::CardVariableInfo>& variables,
                                           const std::wstring& name) {
  const auto found = std::find_if(variables.begin(), variables.end(), [&](const auto& v) {
    return platform::SameIgnoringCase(v.name, name);
  });
  return found == variables.end() ? nullptr : &*found;
}

const host::CardVariableInfo& VariableNamed(const std::vector<host::CardVariableInfo>& variables,
                                            const std::wstring& name) {
  const host::CardVariableInfo* found = FindVariable(variables, name);
  if (!found)
    throw UsageError("no card variable " + Utf8(name) + " (vendrel var define makes one)");
  return *found;
}

// The file or folder whose card a command reads or writes, with the configuration asked for.
struct Card {
  std::wstring path;
  sim::CardOwner owner = sim::CardOwner::kFile;
  std::int32_t id = 0;
  std::wstring configuration;
};

Card CardNamed(VaultHost& host, const std::string& given,
               const std::optional<std::string>& config) {
  Card card;
  card.path = host.VaultPath(Wide(given));
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  if (host.Session().GetFileFromPath(card.path, file, folder) == host::kOk && file) {
    file->Id(card.id);
  } else if ((folder = FindFolder(host, card.path))) {
    card.owner = sim::CardOwner::kFolder;
    folder->Id(card.id);
  } else {
    throw UsageError("no vault file or folder " + Utf8(card.path));
  }
  if (!config) return card;
  card.configuration = Wide(*config);
  if (card.owner == sim::CardOwner::kFolder)
    throw UsageError("a folder has no configurations: " + Utf8(card.path));
  const std::vector<std::wstring> names = host.Vault().Configurations(card.id);
  if (std::find(names.begin(), names.end(), card.configuration) == names.end()) {
    throw UsageError(Utf8(card.path) + " has no configuration " + *config +
                     " (vendrel configs sets a file's configurations)");
  }
  return card;
}

// Each variable on a line, `verb` before it; with --json an array of them.
int ShowVariables(Call& call, const std::vector<host::CardVariableInfo>& variables,
                  const char* verb) {
  Json array = Json::array();
  for (const host::CardVariableInfo& variable : variables) {
    const char* type = TypeOf(variable.type).name;
    if (call.Json()) {
      Json json;
      json["name"] = variable.name;
      json["type"] = Wide(type);
      json["flags"] = variable.flags;
      array.push_back(std::move(json));
      continue;
    }
    if (verb) call.Out() << verb << " card variable ";
    call.Out() << Utf8(variable.name) << " (" << type;
    if (variable.flags != 0) call.Out() << ", flags " << variable.flags;
    call.Out() << ")\n";
  }
  if (call.Json()) call.Out() << WriteJson(verb ? array.at(0) : array);
  return kExitOk;
}

int ShowCard(Call& call, const Card& card) {
  const std::vector<CardLine> lines = CardOf(call.Host(), card.owner, card.id, card.configuration);
  if (call.Json()) {
    Json values = Json::array();
    for (const CardLine& line : lines) {
      Json json;
      json["name"] = line.variable.name;
      json["type"] = Wide(TypeOf(line.variable.type).name);
      json["value"] = ValueJson(line.value);
      values.push_back(std::move(json));
    }
    Json json;
    json["path"] = card.path;
    json["configuration"] = card.configuration.empty() ? Json() : Json(card.configuration);
    json["values"] = std::move(values);
    call.Out() << WriteJson(json);
    return kExitOk;
  }
  std::ostream& out = call.Out();
  out << Utf8(card.path);
  if (!card.configuration.empty()) out << " (configuration " << Utf8(card.configuration) << ")";
  out << "\n";
  for (const CardLine& line : lines) {
    out << "  " << Utf8(line.variable.name);
    if (host::KindOf(line.value) == host::ValueKind::kEmpty)
      out << " (empty)\n";
    else
      out << " = " << Utf8(commands::ValueToText(line.value)) << "\n";
  }
  return kExitOk;
}

}  // namespace

std::optional<std::int32_t> CardTypeNamed(std::string_view name) {
  const auto known =
      std::find_if(kTypes.begin(), kTypes.end(), [&](const TypeName& t) { return name == t.name; });
  if (known == kTypes.end()) return std::nullopt;
  return static_cast<std::int32_t>(known->type);
}

CLI::Validator CardTypeNames() {
  return CLI::Validator(
      [](std::string& given) -> std::string {
        const std::optional<std::int32_t> type = CardTypeNamed(given);
        if (!type)
          return "no card variable type " + given + ": text, integer, float, date or yesno";
        given = std::to_string(*type);
        return {};
      },
      "");
}

std::vector<CardLine> CardOf(VaultHost& host, sim::CardOwner owner, std::int32_t id,
                             const std::wstring& configuration) {
  std::vector<CardLine> lines;
  for (host::CardVariableInfo& variable : CardVariables(host)) {
    host::Value value = host.Vault().CardValue(owner, id, variable.name, configuration);
    lines.push_back({std::move(variable), std::move(value)});
  }
  return lines;
}

// A new card variable, or another type or flags for one the vault has.
int RunVarDefine(Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  const std::wstring name = Wide(call.Arguments()[0]);
  if (name.empty()) throw UsageError("give the card variable a name that is not empty");
  const TypeName& type = TypeOf(call.Opt().type);
  const std::int32_t flags = call.Opt().flags;
  VaultHost& host = call.Host();
  const auto variables = CardVariables(host);
  const host::CardVariableInfo variable{name, static_cast<std::int32_t>(type.type), flags};
  const host::CardVariableInfo* same = FindVariable(variables, name);
  if (!same) {
    host.Vault().AddVariable(name, variable.type, flags);
  } else if (same->type == variable.type && same->flags == flags) {
    throw UsageError("the card variable " + Utf8(same->name) + " is of type " + type.name +
                     " with flags " + std::to_string(flags) + " already");
  } else {
    try {
      host.Vault().RedefineVariable(same->name, variable.type, flags);
    } catch (const sim::SimError&) {
      throw UsageError(Utf8(same->name) + " holds values that are no " + type.name +
                       "; change them with vendrel card set, or remove the variable with "
                       "vendrel var remove");
    }
  }
  return ShowVariables(call, {variable}, same ? "redefined" : "defined");
}

int RunVarList(Call& call) {
  if (!call.Arguments().empty()) throw call.Misused();
  return ShowVariables(call, CardVariables(call.Host()), nullptr);
}

int RunVarRemove(Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  VaultHost& host = call.Host();
  const std::string name = Utf8(VariableNamed(CardVariables(host), Wide(call.Arguments()[0])).name);
  const int values = host.Vault().RemoveVariable(Wide(name));
  if (call.Json()) {
    Json json;
    json["removed"] = Wide(name);
    json["values"] = values;
    call.Out() << WriteJson(json);
  } else {
    call.Out() << "removed card variable " << name << " with its " << values << " value(s)\n";
  }
  return kExitOk;
}

int RunCard(Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  return ShowCard(call, CardNamed(call.Host(), call.Arguments()[0], call.Opt().config));
}

// Every value is checked against its variable's type before the first one is written.
int RunCardSet(Call& call) {
  const Args& args = call.Arguments();
  if (args.size() < 2) throw call.Misused();
  VaultHost& host = call.Host();
  const Card card = CardNamed(host, args[0], call.Opt().config);
  const auto variables = CardVariables(host);
  std::vector<std::pair<std::wstring, host::Value>> values;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::size_t equals = args[i].find('=');
    if (equals == std::string::npos || equals == 0)
      throw UsageError("give NAME=VALUE, not " + args[i]);
    const host::CardVariableInfo& variable =
        VariableNamed(variables, Wide(args[i].substr(0, equals)));
    const std::string text = args[i].substr(equals + 1);
    // Read as the set-card-variable command reads the texts of its actions.
    host::Value converted;
    if (host::Failed(commands::ConvertCardValue(Wide(text), variable.type, converted))) {
      const TypeName& type = TypeOf(variable.type);
      throw UsageError(Utf8(variable.name) + " is of type " + type.name + ", which takes " +
                       type.takes + ", not \"" + text + "\"");
    }
    values.emplace_back(variable.name, std::move(converted));
  }
  for (const auto& [name, value] : values)
    host.Vault().SetCardValue(card.owner, card.id, name, card.configuration, value);
  return ShowCard(call, card);
}

// Without names the file's configurations are shown, with --clear they all go.
int RunConfigs(Call& call) {
  const Args& args = call.Arguments();
  const bool clear = call.Opt().clear;
  if (args.empty() || (clear && args.size() > 1)) throw call.Misused();
  VaultHost& host = call.Host();
  const FileRef file = FindFile(host, args[0]);
  std::vector<std::wstring> names;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring name = Wide(args[i]);
    if (name.empty()) throw UsageError("give each configuration a name that is not empty");
    if (std::find(names.begin(), names.end(), name) != names.end())
      throw UsageError("the configuration " + args[i] + " is named twice; name it once");
    names.push_back(name);
  }
  int removed = 0;
  if (clear || !names.empty())
    removed = host.Vault().SetConfigurations(file.fileId, names);
  else
    names = host.Vault().Configurations(file.fileId);
  if (call.Json()) {
    Json json;
    json["path"] = file.path;
    json["configurations"] = names;
    json["removedValues"] = removed;
    call.Out() << WriteJson(json);
    return kExitOk;
  }
  call.Out() << Utf8(file.path);
  if (names.empty()) call.Out() << " has no configurations";
  if (!names.empty()) call.Out() << " has the configurations";
  for (const std::wstring& name : names) call.Out() << " " << Utf8(name);
  if (removed > 0)
    call.Out() << "; " << removed << " card value(s) of the configurations it had went with them";
  call.Out() << "\n";
  return kExitOk;
}

}  // namespace vendrel::tools
