// Registry keys and values in SQLite; names compare without regard to case, as on Windows.
#include "platform/posix/Registry.h"

#include <cstdlib>

#include "platform/posix/DriveMap.h"

namespace vendrel::platform::posix {
namespace {

constexpr std::int32_t kString = 1;  // REG_SZ
constexpr std::int32_t kDword = 4;   // REG_DWORD

// "\Software\\Vendrel\" and "Software\Vendrel" name the same key.
std::wstring Normalize(const std::wstring& subkey) {
  std::wstring key;
  for (wchar_t c : subkey) {
    if (c == L'\\' && (key.empty() || key.back() == L'\\')) continue;
    key += c;
  }
  if (!key.empty() && key.back() == L'\\') key.pop_back();
  return key;
}

std::int32_t RootId(RegistryRoot root) {
  return static_cast<std::int32_t>(root);
}

// The value of a row whose kind and data are the columns from `kind` on.
RegistryData DataOf(Statement& row, int kind) {
  if (row.Int(kind) == kDword) return static_cast<std::uint32_t>(row.Int64(kind + 1));
  return row.Text(kind + 1);
}

}  // namespace

// A rollback journal: every notification reads a value or two, and a reader of a WAL
// database makes and removes its log and index files each time. Writes are rare. A registry
// made in WAL mode by an earlier build stays in it.
SqliteRegistry::SqliteRegistry(const std::filesystem::path& database)
    : db_(database, [](Database& db) {
        // In one transaction: the tables are there but once, and each statement outside one
        // locks and reads the file again.
        db.Execute(
            "PRAGMA foreign_keys=ON; BEGIN;"
            "CREATE TABLE IF NOT EXISTS registry_keys("
            "  root INTEGER NOT NULL, path TEXT NOT NULL COLLATE NOCASE, PRIMARY KEY(root, path));"
            "CREATE TABLE IF NOT EXISTS registry_values("
            "  root INTEGER NOT NULL, path TEXT NOT NULL COLLATE NOCASE,"
            "  name TEXT NOT NULL COLLATE NOCASE, kind INTEGER NOT NULL, data,"
            "  PRIMARY KEY(root, path, name),"
            "  FOREIGN KEY(root, path) REFERENCES registry_keys(root, path) ON DELETE CASCADE); "
            "COMMIT;");
      }) {}

std::filesystem::path SqliteRegistry::DefaultLocation() {
  if (const char* file = std::getenv("VENDREL_REGISTRY"); file && *file) return file;
  return DriveMap::Default().Root().parent_path() / "registry.db";
}

bool SqliteRegistry::KeyExists(RegistryRoot root, const std::wstring& subkey) {
  const std::wstring key = Normalize(subkey);
  if (key.empty()) return true;
  return Db()
      .Query("SELECT 1 FROM registry_keys WHERE root = ? AND path = ?", RootId(root), key)
      .Step();
}

void SqliteRegistry::CreateKeyLocked(RegistryRoot root, const std::wstring& key) {
  // The root is a key too, holding the values written directly under it.
  Db().Run("INSERT OR IGNORE INTO registry_keys(root, path) VALUES(?, '')", RootId(root));
  for (std::size_t end = 0; end != std::wstring::npos && !key.empty();) {
    end = key.find(L'\\', end + 1);
    Db().Run("INSERT OR IGNORE INTO registry_keys(root, path) VALUES(?, ?)", RootId(root),
             key.substr(0, end));
  }
}

bool SqliteRegistry::CreateKey(RegistryRoot root, const std::wstring& subkey) {
  try {
    Transaction transaction(Db());
    CreateKeyLocked(root, Normalize(subkey));
    transaction.Commit();
    return true;
  } catch (const SqliteError&) {
    return false;
  }
}

std::optional<RegistryData> SqliteRegistry::Read(RegistryRoot root, const std::wstring& subkey,
                                                 const std::wstring& name) {
  try {
    Statement row = Db().Query(
        "SELECT kind, data FROM registry_values WHERE root = ? AND path = ? AND name = ?",
        RootId(root), Normalize(subkey), name);
    if (!row.Step()) return std::nullopt;
    return DataOf(row, 0);
  } catch (const SqliteError&) {
    return std::nullopt;
  }
}

bool SqliteRegistry::Write(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                           const RegistryData& data) {
  try {
    const std::wstring key = Normalize(subkey);
    Transaction transaction(Db());
    CreateKeyLocked(root, key);
    Statement insert = Db().Query(
        "INSERT OR REPLACE INTO registry_values(root, path, name, kind, data) "
        "VALUES(?, ?, ?, ?, ?)",
        RootId(root), key, name);
    if (const auto* text = std::get_if<std::wstring>(&data)) {
      insert.Bind(4, kString).Bind(5, *text);
    } else {
      insert.Bind(4, kDword).Bind(5, static_cast<std::int64_t>(std::get<std::uint32_t>(data)));
    }
    insert.Run();
    transaction.Commit();
    return true;
  } catch (const SqliteError&) {
    return false;
  }
}

bool SqliteRegistry::DeleteValue(RegistryRoot root, const std::wstring& subkey,
                                 const std::wstring& name) {
  try {
    return Db().Run("DELETE FROM registry_values WHERE root = ? AND path = ? AND name = ?",
                    RootId(root), Normalize(subkey), name) > 0;
  } catch (const SqliteError&) {
    return false;
  }
}

bool SqliteRegistry::DeleteTree(RegistryRoot root, const std::wstring& subkey) {
  try {
    const std::wstring key = Normalize(subkey);
    if (!KeyExists(root, key)) return false;
    Transaction transaction(Db());
    if (key.empty()) {
      Db().Run("DELETE FROM registry_values WHERE root = ? AND path = ''", RootId(root));
      Db().Run("DELETE FROM registry_keys WHERE root = ?", RootId(root));
    } else {
      Db().Run(
          "DELETE FROM registry_keys WHERE root = ?1 AND "
          "(path = ?2 OR substr(path, 1, length(?2) + 1) = ?2 || '\\' COLLATE NOCASE)",
          RootId(root), key);
    }
    transaction.Commit();
    return true;
  } catch (const SqliteError&) {
    return false;
  }
}

std::vector<SqliteRegistry::Value> SqliteRegistry::Values() {
  std::vector<Value> values;
  for (Statement row = Db().Query("SELECT root, path, name, kind, data FROM registry_values");
       row.Step();) {
    values.push_back(
        {static_cast<RegistryRoot>(row.Int(0)), row.Text(1), row.Text(2), DataOf(row, 3)});
  }
  return values;
}

}  // namespace vendrel::platform::posix
