// The dry run's copy of a vault and what changed in it.
#include "tools/vendrel/workbench/VaultCopy.h"

#include <map>
#include <sstream>

#include "platform/NativePath.h"
#include "platform/Sqlite.h"
#include "platform/Utf8.h"
#include "sim/SimVault.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Platform.h"

namespace vendrel::tools {

namespace fs = std::filesystem;

namespace {

// Relative path -> file, every regular file under `root`.
std::map<fs::path, fs::path> FilesUnder(const fs::path& root) {
  std::map<fs::path, fs::path> files;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(root, error); !error && it != end(it);
       it.increment(error)) {
    if (it->is_regular_file()) files.emplace(fs::relative(it->path(), root), it->path());
  }
  return files;
}

// Rowid -> the row as text, for each table of a database.
using Table = std::map<std::int64_t, std::wstring>;
std::map<std::string, Table> Tables(const fs::path& file) {
  std::map<std::string, Table> tables;
  if (!fs::exists(file)) return tables;
  platform::Database db(file);
  std::vector<std::string> names;
  for (auto row = db.Prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                             "LIKE 'sqlite_%'");
       row.Step();) {
    names.push_back(platform::ToUtf8(row.Text(0)));
  }
  for (const std::string& name : names) {
    std::string columns;
    for (auto info = db.Prepare(("PRAGMA table_info(\"" + name + "\")").c_str()); info.Step();) {
      columns += (columns.empty() ? "" : " || ',' || ") + std::string("quote(\"") +
                 platform::ToUtf8(info.Text(1)) + "\")";
    }
    Table& table = tables[name];
    const std::string sql = "SELECT rowid, " + columns + " FROM \"" + name + "\"";
    for (auto row = db.Prepare(sql.c_str()); row.Step();) table[row.Int64(0)] = row.Text(1);
  }
  return tables;
}

std::vector<CopyChanges::Rows> CompareTables(const fs::path& before, const fs::path& after) {
  std::map<std::string, Table> old = Tables(before);
  std::vector<CopyChanges::Rows> changes;
  for (const auto& [name, table] : Tables(after)) {
    const Table& was = old[name];
    CopyChanges::Rows rows{name};
    for (const auto& [id, row] : table) {
      const auto it = was.find(id);
      if (it == was.end()) ++rows.added;
      if (it != was.end() && it->second != row) ++rows.changed;
    }
    for (const auto& [id, row] : was) rows.removed += table.count(id) == 0;
    if (rows.added + rows.changed + rows.removed > 0) changes.push_back(rows);
  }
  return changes;
}

std::string Counts(const std::vector<CopyChanges::Rows>& tables) {
  std::string text;
  for (const CopyChanges::Rows& rows : tables) {
    std::string name = rows.table;
    for (char& c : name) c = c == '_' ? ' ' : c;
    for (const auto& [count, what] :
         {std::pair{rows.added, "added"}, {rows.changed, "changed"}, {rows.removed, "removed"}}) {
      if (count > 0) {
        text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + name + " " + what;
      }
    }
  }
  return text;
}

Json RowsJson(const std::vector<CopyChanges::Rows>& tables) {
  Json list = Json::array();
  for (const CopyChanges::Rows& rows : tables) {
    list.push_back({{"table", rows.table},
                    {"added", rows.added},
                    {"changed", rows.changed},
                    {"removed", rows.removed}});
  }
  return list;
}

}  // namespace

std::string CopyChanges::Text() const {
  if (Empty()) return "dry run: nothing would have changed\n";
  std::ostringstream out;
  out << "dry run: nothing was changed; the run would have\n";
  for (const File& file : files) out << "  " << file.change << " " << Utf8(file.path) << "\n";
  if (!vault.empty()) out << "  in the vault: " << Counts(vault) << "\n";
  if (!registry.empty()) out << "  in the registry: " << Counts(registry) << "\n";
  return out.str();
}

Json CopyChanges::ToJson() const {
  Json list = Json::array();
  for (const File& file : files) list.push_back({{"path", file.path}, {"change", file.change}});
  return {{"files", std::move(list)}, {"vault", RowsJson(vault)}, {"registry", RowsJson(registry)}};
}

VaultCopy::VaultCopy(const fs::path& folder) : original_(fs::absolute(folder)) {
  UseVaultFolder(original_);
  registry_ = RegistryFile();
  if (registry_.empty()) {
    throw UsageError("a dry run needs the native vendrel, whose files and registry can be copied");
  }
  copy_ = MakeTemporaryFolder("vendrel-dry-run-");
  platform::CopyDatabase(DatabaseOf(original_), DatabaseOf(copy_));
  // After the database: its versions name only bytes the contents file holds by then.
  const fs::path contents = sim::SimVault::ContentsFile(DatabaseOf(original_));
  if (fs::exists(contents)) fs::copy_file(contents, sim::SimVault::ContentsFile(DatabaseOf(copy_)));
  if (fs::exists(registry_)) platform::CopyDatabase(registry_, copy_ / "registry.db");
  if (fs::exists(DrivesOf(original_))) {
    fs::copy(DrivesOf(original_), DrivesOf(copy_), fs::copy_options::recursive);
  }
  UseRegistryFile(copy_ / "registry.db");
}

VaultCopy::~VaultCopy() {
  UseRegistryFile(registry_);
  std::error_code ignored;
  fs::remove_all(copy_, ignored);
}

CopyChanges VaultCopy::Changes() const {
  CopyChanges changes;
  const std::map<fs::path, fs::path> before = FilesUnder(DrivesOf(original_));
  const std::map<fs::path, fs::path> after = FilesUnder(DrivesOf(copy_));
  for (const auto& [relative, file] : after) {
    const auto it = before.find(relative);
    if (it == before.end() || ReadBytes(it->second) != ReadBytes(file)) {
      changes.files.push_back(
          {platform::WindowsPath(file), it == before.end() ? "added" : "changed"});
    }
  }
  for (const auto& [relative, file] : before) {
    if (!after.count(relative)) {
      changes.files.push_back({platform::WindowsPath(DrivesOf(copy_) / relative), "removed"});
    }
  }
  changes.vault = CompareTables(DatabaseOf(original_), DatabaseOf(copy_));
  changes.registry = CompareTables(registry_, copy_ / "registry.db");
  changes.registryValues = ChangedRegistryValues(registry_, copy_ / "registry.db");
  return changes;
}

}  // namespace vendrel::tools
