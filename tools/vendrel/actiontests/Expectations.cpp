// The kinds of expectation as one table: what each names, what it observes, and its form.
#include "tools/vendrel/actiontests/Expectations.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <sstream>

#include "commands/core/RegistryPath.h"
#include "commands/core/ValueText.h"
#include "platform/NativePath.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {
namespace {

enum class Kind { kText, kBool, kInt, kRegistryData, kMessages };

// A member of an expectation: a key that names what is looked at (observe is null), or a
// property observed after the run.
struct Member {
  const char* name;
  Kind kind;
  Json (*observe)(const Observed& observed, const Json& item);
  bool optionalKey = false;
};

std::wstring Key(const Json& item, const char* name) {
  const auto found = item.find(name);
  return found == item.end() ? std::wstring() : found->get<std::wstring>();
}

std::optional<std::string> ReadText(const std::wstring& windowsPath) {
  std::ifstream in(platform::NativePath(windowsPath), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Json NullOr(const std::optional<std::string>& text) {
  return text ? Json(*text) : Json();
}

std::wstring VaultPathOf(const Observed& o, const Json& item) {
  return o.host.VaultPath(Key(item, "path"));
}

std::optional<sim::FileSummary> SummaryOf(const Observed& o, const Json& item) {
  const std::optional<FileRef> file = FileAt(o.host, VaultPathOf(o, item));
  if (!file) return std::nullopt;
  const auto summaries = o.host.Vault().Summaries({file->fileId});
  const auto found = summaries.find(file->fileId);
  if (found == summaries.end()) return std::nullopt;
  return found->second;
}

template <class Field>
Json SummaryField(const Observed& o, const Json& item, Field field) {
  const std::optional<sim::FileSummary> summary = SummaryOf(o, item);
  return summary ? Json((*summary).*field) : Json();
}

constexpr std::array kFileMembers{
    Member{"path", Kind::kText, nullptr},
    Member{"exists", Kind::kBool,
           [](const Observed& o, const Json& item) {
             return Json(FileAt(o.host, VaultPathOf(o, item)).has_value());
           }},
    Member{
        "contents", Kind::kText,
        [](const Observed& o, const Json& item) { return NullOr(ReadText(VaultPathOf(o, item))); }},
    Member{"version", Kind::kInt,
           [](const Observed& o, const Json& item) {
             return SummaryField(o, item, &sim::FileSummary::version);
           }},
    Member{"state", Kind::kText,
           [](const Observed& o, const Json& item) {
             return SummaryField(o, item, &sim::FileSummary::state);
           }},
    Member{"checkedOutBy", Kind::kText,
           [](const Observed& o, const Json& item) {
             return SummaryField(o, item, &sim::FileSummary::checkedOutBy);
           }},
};

constexpr std::array kLocalFileMembers{
    Member{"path", Kind::kText, nullptr},
    Member{"exists", Kind::kBool,
           [](const Observed&, const Json& item) {
             return Json(ReadText(Key(item, "path")).has_value());
           }},
    Member{"contents", Kind::kText,
           [](const Observed&, const Json& item) { return NullOr(ReadText(Key(item, "path"))); }},
};

Json CardValue(const Observed& o, const Json& item) {
  const std::wstring path = VaultPathOf(o, item);
  sim::CardOwner owner = sim::CardOwner::kFile;
  std::int32_t id = 0;
  if (const std::optional<FileRef> file = FileAt(o.host, path)) {
    id = file->fileId;
  } else if (const host::Ref<host::VaultFolder> folder = FindFolder(o.host, path)) {
    owner = sim::CardOwner::kFolder;
    folder->Id(id);
  } else {
    return nullptr;
  }
  try {
    const host::Value value =
        o.host.Vault().CardValue(owner, id, Key(item, "variable"), Key(item, "configuration"));
    if (std::holds_alternative<std::monostate>(value)) return nullptr;
    return commands::ValueToText(value);
  } catch (const std::exception&) {
    return nullptr;  // no such variable
  }
}

constexpr std::array kCardMembers{
    Member{"path", Kind::kText, nullptr},
    Member{"variable", Kind::kText, nullptr},
    Member{"configuration", Kind::kText, nullptr, true},
    Member{"value", Kind::kText, CardValue},
};

Json Messages(const Observed& o, const Json& item) {
  Json list = Json::array();
  try {
    for (const sim::InboxMessage& m : o.host.Vault().Inbox(Key(item, "user"))) {
      list.push_back({{"from", m.sender}, {"subject", m.subject}, {"text", m.text}});
    }
  } catch (const std::exception&) {
    return nullptr;  // no such user
  }
  return list;
}

constexpr std::array kInboxMembers{
    Member{"user", Kind::kText, nullptr},
    Member{"messages", Kind::kMessages, Messages},
};

Json RegistryData(const Observed&, const Json& item) {
  const auto where = commands::SplitRegistryPath(Key(item, "path"));
  if (!where) return nullptr;
  const auto data = MachineRegistry()->Read(where->root, where->subkey, where->name);
  if (!data) return nullptr;
  if (const auto* text = std::get_if<std::wstring>(&*data)) return *text;
  return std::get<std::uint32_t>(*data);
}

constexpr std::array kRegistryMembers{
    Member{"path", Kind::kText, nullptr},
    Member{"data", Kind::kRegistryData, RegistryData},
};

// The lists of expect, and the vault tables whose changes each of them accounts for.
struct ListKind {
  const char* name;
  std::span<const Member> members;
  std::span<const char* const> tables;
};

constexpr std::array<const char*, 6> kFileTables{"folders",  "files",          "shares",
                                                 "versions", "configurations", "checkouts"};
constexpr std::array<const char*, 1> kCardTables{"card_values"};
constexpr std::array<const char*, 1> kMessageTables{"messages"};

const std::array<ListKind, 5> kLists{{{"files", kFileMembers, kFileTables},
                                      {"localFiles", kLocalFileMembers, {}},
                                      {"cards", kCardMembers, kCardTables},
                                      {"inbox", kInboxMembers, kMessageTables},
                                      {"registry", kRegistryMembers, {}}}};

constexpr std::array<const char*, 3> kOutcomes{"ran", "refused", "failed"};

void CheckKind(const Json& value, Kind kind, const std::string& where) {
  switch (kind) {
    case Kind::kText:
      AsText(value, where);
      return;
    case Kind::kBool:
      AsBool(value, where);
      return;
    case Kind::kInt:
      AsInt32(value, where);
      return;
    case Kind::kRegistryData:
      if (value.is_null() || value.is_string()) return;
      if (AsInteger(value, where) < 0 || AsInteger(value, where) > 0xFFFFFFFF) {
        throw JsonError(where + " must be a text, a DWORD number or null");
      }
      return;
    case Kind::kMessages:
      for (std::size_t i = 0; i < AsList(value, where).size(); ++i) {
        JsonFields message(value[i], ItemPlace(where, i));
        for (const char* member : {"from", "subject", "text"}) {
          AsText(message.Require(member), message.Place(member));
        }
        message.Finish();
      }
      return;
  }
}

void CheckTexts(const Json& list, const std::string& where) {
  for (std::size_t i = 0; i < AsList(list, where).size(); ++i) {
    AsText(list[i], ItemPlace(where, i));
  }
}

std::string Shown(const Json& value) {
  return value.is_null() ? "nothing" : value.dump();
}

std::string OutcomeName(const Observed& o) {
  if (o.outcome.veto) return "refused";
  const bool failed = host::Failed(o.outcome.operation) || host::Failed(o.outcome.status) ||
                      o.host.GetTrace().Failures() > 0;
  return failed ? "failed" : "ran";
}

Json Boxes(const Observed& o) {
  Json boxes = Json::array();
  for (const std::wstring& text : o.host.GetTrace().Boxes()) boxes.push_back(text);
  return boxes;
}

// "(C:\Vault\a.txt, Reviewed)": the keys of an item, so a message says which it was.
std::string Keys(const ListKind& list, const Json& item) {
  std::string keys;
  for (const Member& m : list.members) {
    if (!m.observe && item.contains(m.name)) {
      keys += (keys.empty() ? "" : ", ") + item[m.name].get<std::string>();
    }
  }
  return " (" + keys + ")";
}

std::wstring Lowered(std::wstring path) {
  for (wchar_t& c : path) c = static_cast<wchar_t>(std::towlower(c));
  return path;
}

std::optional<Mismatch> NothingElse(const Json& expect, const Observed& o) {
  std::set<std::wstring> named;
  std::set<std::string> tables;
  for (const ListKind& list : kLists) {
    if (!expect.contains(list.name)) continue;
    for (const Json& item : expect[list.name]) {
      if (!item.contains("path")) continue;
      const std::wstring path = Key(item, "path");
      named.insert(Lowered(list.tables.empty() ? path : o.host.VaultPath(path)));
    }
    if (!expect[list.name].empty()) tables.insert(list.tables.begin(), list.tables.end());
  }
  CopyChanges others;
  for (const CopyChanges::File& file : o.changes->files) {
    if (!named.count(Lowered(file.path))) others.files.push_back(file);
  }
  for (const CopyChanges::Rows& rows : o.changes->vault) {
    if (!tables.count(rows.table)) others.vault.push_back(rows);
  }
  if (!expect.contains("registry") || expect["registry"].empty()) {
    others.registry = o.changes->registry;
  }
  if (others.Empty()) return std::nullopt;
  // The lines after the heading, each "  added C:\x", as one line.
  std::string got;
  std::istringstream lines(others.Text());
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) got += (got.empty() ? "" : "; ") + line.substr(2);
  return Mismatch{"expect.nothingElseChanged", "nothing else changed", got};
}

std::optional<Mismatch> Compare(std::string place, const Json& expected, const Json& got) {
  if (expected == got) return std::nullopt;
  return Mismatch{std::move(place), Shown(expected), Shown(got)};
}

}  // namespace

void CheckExpectationsForm(const Json& expect, const std::string& where) {
  JsonFields fields(expect, where);
  if (const Json* outcome = fields.Take("outcome")) {
    const std::wstring text = AsText(*outcome, where + ".outcome");
    if (std::find(kOutcomes.begin(), kOutcomes.end(), Utf8(text)) == kOutcomes.end()) {
      throw JsonError(where + ".outcome must be ran, refused or failed, not " + Utf8(text));
    }
  }
  if (const Json* refresh = fields.Take("refresh")) AsInt32(*refresh, where + ".refresh");
  if (const Json* boxes = fields.Take("boxes")) CheckTexts(*boxes, where + ".boxes");
  if (const Json* trace = fields.Take("trace")) CheckTexts(*trace, where + ".trace");
  if (const Json* only = fields.Take("nothingElseChanged")) {
    AsBool(*only, where + ".nothingElseChanged");
  }
  for (const ListKind& list : kLists) {
    const Json* items = fields.Take(list.name);
    if (!items) continue;
    const std::string at = where + "." + list.name;
    for (std::size_t i = 0; i < AsList(*items, at).size(); ++i) {
      JsonFields item((*items)[i], ItemPlace(at, i));
      for (const Member& m : list.members) {
        const bool required = !m.observe && !m.optionalKey;
        const Json* value = required ? &item.Require(m.name) : item.Take(m.name);
        if (value) CheckKind(*value, m.kind, item.Place(m.name));
      }
      item.Finish();
    }
  }
  fields.Finish();
}

bool WantsChanges(const Json& expect) {
  return expect.value("nothingElseChanged", false);
}

std::optional<Mismatch> FirstMismatch(const Json& expect, const Observed& observed) {
  if (expect.contains("outcome")) {
    if (auto m = Compare("expect.outcome", expect["outcome"], OutcomeName(observed))) return m;
  }
  if (expect.contains("refresh")) {
    if (auto m = Compare("expect.refresh", expect["refresh"], observed.outcome.refresh)) return m;
  }
  for (const ListKind& list : kLists) {
    if (!expect.contains(list.name)) continue;
    const Json& items = expect[list.name];
    for (std::size_t i = 0; i < items.size(); ++i) {
      for (const Member& m : list.members) {
        if (!m.observe || !items[i].contains(m.name)) continue;
        const std::string place =
            ItemPlace("expect." + std::string(list.name), i) + "." + m.name + Keys(list, items[i]);
        if (auto found = Compare(place, items[i][m.name], m.observe(observed, items[i]))) {
          return found;
        }
      }
    }
  }
  if (expect.contains("boxes")) {
    if (auto m = Compare("expect.boxes", expect["boxes"], Boxes(observed))) return m;
  }
  if (expect.contains("trace")) {
    const Json& lines = expect["trace"];
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (observed.trace.find(lines[i].get<std::string>()) == std::string::npos) {
        return Mismatch{"expect.trace[" + std::to_string(i) + "]", "a line with " + lines[i].dump(),
                        "no such line"};
      }
    }
  }
  if (WantsChanges(expect)) return NothingElse(expect, observed);
  return std::nullopt;
}

Json RecordExpectations(const ActionTest& test, const Observed& observed) {
  const Fixture& fixture = test.fixture;
  const std::wstring root = Lowered(observed.host.Vault().RootPath() + L"\\");
  // Named by the fixture and the operation, or changed by the run; each once, in that order.
  std::vector<std::wstring> vaultPaths;
  std::vector<std::wstring> localPaths;
  const auto note = [](std::vector<std::wstring>& paths, const std::wstring& path) {
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
  };
  for (const FixtureFile& file : fixture.files)
    note(vaultPaths, observed.host.VaultPath(file.path));
  if (test.operation.kind != "add") {
    for (const std::string& path : test.operation.paths) {
      if (FileAt(observed.host, observed.host.VaultPath(Wide(path)))) {
        note(vaultPaths, observed.host.VaultPath(Wide(path)));
      }
    }
  }
  for (const auto& [path, contents] : fixture.localFiles) note(localPaths, path);
  for (const CopyChanges::File& file : observed.changes->files) {
    note(Lowered(file.path).starts_with(root) ? vaultPaths : localPaths, file.path);
  }

  Json expect = {{"outcome", OutcomeName(observed)}, {"refresh", observed.outcome.refresh}};
  const auto fill = [&](const ListKind& list, Json item) {
    for (const Member& m : list.members) {
      if (!m.observe) continue;
      Json value = m.observe(observed, item);
      if (!value.is_null()) item[m.name] = std::move(value);
    }
    return item;
  };
  const auto add = [&](const ListKind& list, Json item) {
    item = fill(list, std::move(item));
    if (item.size() > 1) expect[list.name].push_back(std::move(item));
  };
  for (const std::wstring& path : vaultPaths) add(kLists[0], {{"path", path}});
  for (const std::wstring& path : localPaths) add(kLists[1], {{"path", path}});
  for (const std::wstring& path : vaultPaths) {
    for (const FixtureVariable& variable : fixture.variables) {
      Json item = fill(kLists[2], {{"path", path}, {"variable", variable.name}});
      if (item.contains("value") && !item["value"].get<std::string>().empty()) {
        expect["cards"].push_back(std::move(item));
      }
    }
  }
  for (const std::wstring& user : observed.host.Vault().Users()) {
    Json item = fill(kLists[3], {{"user", user}});
    if (!item["messages"].empty()) expect["inbox"].push_back(std::move(item));
  }
  std::vector<std::wstring> registryPaths;
  for (const FixtureRegistryValue& value : fixture.registry) note(registryPaths, value.path);
  for (const std::wstring& path : observed.changes->registryValues) note(registryPaths, path);
  for (const std::wstring& path : registryPaths) {
    Json item = fill(kLists[4], {{"path", path}});
    if (!item.contains("data")) item["data"] = nullptr;  // the run removed it
    expect["registry"].push_back(std::move(item));
  }
  if (!observed.host.GetTrace().Boxes().empty()) expect["boxes"] = Boxes(observed);
  expect["nothingElseChanged"] = true;
  if (NothingElse(expect, observed)) expect.erase("nothingElseChanged");
  return expect;
}

}  // namespace vendrel::tools
