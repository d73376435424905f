// Creating, opening and administering simulated vaults.
#include "sim/SimVault.h"

#include <random>

#include "platform/NativePath.h"
#include "platform/Utf8.h"
#include "sim/Schema.h"
#include "sim/Session.h"

namespace vendrel::sim {

namespace fs = std::filesystem;
using host::HResult;

namespace {

// The first column of every row.
std::vector<std::wstring> Texts(platform::Statement rows) {
  std::vector<std::wstring> texts;
  while (rows.Step()) texts.push_back(rows.Text(0));
  return texts;
}

std::unique_ptr<platform::Database> OpenDatabase(const fs::path& file,
                                                 Durability durability = Durability::kSynced) {
  auto db = std::make_unique<platform::Database>(file);
  // The files' bytes live in the contents file, so small pages serve best: a commit of a few
  // rows writes a few kB to the log, and the next opener reads that much back. The size is set
  // only when the database is created. WAL lets readers of other processes go on while one
  // writes.
  // Syncing at checkpoints only still survives a killed process; only a power loss may lose the
  // last commits.
  db->Execute("PRAGMA page_size=4096");
  if (file != ":memory:" && !db->ReadOnly()) {
    // Before the journal mode, whose change is synced as the setting says.
    db->Execute(durability == Durability::kSynced ? "PRAGMA synchronous=NORMAL"
                                                  : "PRAGMA synchronous=OFF");
    db->Execute("PRAGMA journal_mode=WAL");
    // The few pages a load's lock writes are left in the log for the next opener, whose reading
    // them back costs less than a checkpoint's disk syncs. Every opener reads the whole log,
    // though: one of many files' rows, or of many loads, is copied in at close instead.
    db->KeepLogOnClose(256 << 10);
  }
  db->Execute("PRAGMA foreign_keys=ON");
  // The savepoint of each operation inside a batch journals in memory, not in a file.
  db->Execute("PRAGMA temp_store=MEMORY");
  return db;
}

fs::path LocalFolderOf(const fs::path& given, const std::wstring& rootPath) {
  return given.empty() ? platform::NativePath(rootPath) : given;
}

fs::path NewTemporaryFolder() {
  std::random_device random;
  for (;;) {
    const fs::path folder =
        fs::temp_directory_path() / ("vendrel-vault-" + std::to_string(random()));
    if (fs::create_directory(folder)) return folder;
  }
}

template <class Operation>
auto InTransaction(Store& store, Operation operation) {
  platform::Transaction transaction(store.Db());
  auto result = operation(store.Db());
  transaction.Commit();
  return result;
}

}  // namespace

std::unique_ptr<SimVault> SimVault::Create(const fs::path& database,
                                           const VaultSettings& settings) {
  if (fs::exists(database)) throw SimError(host::kNameAlreadyExists, "the vault exists");
  auto db = OpenDatabase(database);
  CreateSchema(*db, settings.name, settings.rootPath);
  // Bytes left by an earlier vault of the same name would only take room.
  fs::remove(ContentsFile(database));
  return std::make_unique<SimVault>(
      std::make_shared<Store>(std::move(db), platform::DataFile(ContentsFile(database)),
                              LocalFolderOf(settings.localFolder, settings.rootPath), false));
}

std::unique_ptr<SimVault> SimVault::Open(const fs::path& database, const fs::path& localFolder,
                                         Durability durability) {
  if (!fs::exists(database)) throw SimError(host::kFail, "no vault at " + database.string());
  auto db = OpenDatabase(database, durability);
  CheckSchema(*db);
  platform::Statement root = db->Prepare("SELECT root_path FROM vault");
  root.Step();
  const fs::path folder = LocalFolderOf(localFolder, root.Text(0));
  // A read-only vault that never kept a file's bytes has no contents file, nor can it get one.
  std::optional<platform::DataFile> contents =
      db->ReadOnly() ? platform::DataFile::OpenToRead(ContentsFile(database)) : std::nullopt;
  if (!contents) {
    contents.emplace(db->ReadOnly() ? platform::DataFile::Temporary()
                                    : platform::DataFile(ContentsFile(database)));
  }
  return std::make_unique<SimVault>(std::make_shared<Store>(
      std::move(db), std::move(*contents), folder, false, durability == Durability::kSynced));
}

std::unique_ptr<SimVault> SimVault::CreateInMemory(VaultSettings settings) {
  auto db = OpenDatabase(":memory:");
  CreateSchema(*db, settings.name, settings.rootPath);
  const bool temporary = settings.localFolder.empty();
  const fs::path folder = temporary ? NewTemporaryFolder() : settings.localFolder;
  return std::make_unique<SimVault>(
      std::make_shared<Store>(std::move(db), platform::DataFile::Temporary(), folder, temporary));
}

fs::path SimVault::ContentsFile(const fs::path& database) {
  fs::path contents = database;
  contents += "-contents";
  return contents;
}

HResult SimVault::Login(const std::wstring& user, const std::wstring& computer,
                        host::Ref<host::VaultSession>& session) {
  if (computer.empty()) return host::kInvalidArg;
  return store_->Read([&] {
    platform::Statement row = store_->Db().Query("SELECT id, name FROM users WHERE name = ?", user);
    if (!row.Step()) return host::kNotLoggedIn;
    auto client = std::make_shared<const Client>(Client{store_, row.Int(0), row.Text(1), computer});
    session = host::MakeRef<SimSession>(std::move(client));
    return host::kOk;
  });
}

void SimVault::SetHostVersion(std::int32_t major, std::int32_t minor) {
  store_->Db().Run("UPDATE vault SET host_major = ?, host_minor = ?", major, minor);
}

std::int32_t SimVault::AddUser(const std::wstring& name) {
  return InTransaction(*store_, [&](platform::Database& db) {
    // The name column ignores letter case, as the host's user names do.
    if (platform::Statement same = db.Query("SELECT name FROM users WHERE name = ?", name);
        same.Step()) {
      throw SimError(host::kNameAlreadyExists, "user names ignore letter case, so \"" +
                                                   platform::ToUtf8(name) + "\" is the user \"" +
                                                   platform::ToUtf8(same.Text(0)) + "\" already");
    }
    db.Run("INSERT INTO users(id, name) SELECT IFNULL(MAX(id), 1) + 1, ? FROM users", name);
    return static_cast<std::int32_t>(db.LastInsertId());
  });
}

std::int32_t SimVault::AddGroup(const std::wstring& name) {
  store_->Db().Run("INSERT INTO groups(name) VALUES(?)", name);
  return static_cast<std::int32_t>(store_->Db().LastInsertId());
}

void SimVault::RemoveUser(const std::wstring& name) {
  InTransaction(*store_, [&](platform::Database& db) {
    const std::int32_t id = UserId(name);
    if (db.Query("SELECT 1 FROM checkouts WHERE user_id = ?", id).Step())
      throw SimError(host::kFileIsLocked, platform::ToUtf8(name) + " has files checked out");
    db.Run("DELETE FROM users WHERE id = ?", id);
    return 0;
  });
}

void SimVault::RemoveGroup(const std::wstring& name) {
  if (store_->Db().Run("DELETE FROM groups WHERE name = ?", name) == 0)
    throw SimError(host::kInvalidGroupName, "no group " + platform::ToUtf8(name));
}

std::unordered_map<std::int32_t, FileSummary> SimVault::Summaries(
    const std::vector<std::int32_t>& fileIds) {
  std::string ids = "[";
  for (const std::int32_t id : fileIds) {
    if (ids.size() > 1) ids += ',';
    ids += std::to_string(id);
  }
  ids += ']';
  // A check-out whose user is gone counts as none, as with the file's own call.
  platform::Statement rows = store_->Db().Query(
      "SELECT f.id, f.name, (SELECT MAX(version) FROM versions WHERE file_id = f.id), "
      "IFNULL(s.name, ''), u.name, CASE WHEN u.id IS NULL THEN NULL ELSE c.computer END "
      "FROM json_each(?) j JOIN files f ON f.id = j.value "
      "LEFT JOIN states s ON s.id = f.state_id LEFT JOIN checkouts c ON c.file_id = f.id "
      "LEFT JOIN users u ON u.id = c.user_id",
      ids);
  std::unordered_map<std::int32_t, FileSummary> summaries;
  while (rows.Step()) {
    summaries.try_emplace(rows.Int(0), FileSummary{rows.Text(1), rows.Int(2), rows.Text(3),
                                                   rows.Text(4), rows.Text(5)});
  }
  return summaries;
}

ChangeMark SimVault::Changes() {
  platform::Statement others = store_->Db().Prepare("PRAGMA data_version");
  platform::Statement own = store_->Db().Prepare("SELECT total_changes()");
  others.Step();
  own.Step();
  return {others.Int64(0), own.Int64(0)};
}

std::vector<std::wstring> SimVault::Users() {
  return Texts(store_->Db().Prepare("SELECT name FROM users ORDER BY id"));
}

std::vector<std::pair<std::wstring, std::vector<std::wstring>>> SimVault::Groups() {
  platform::Statement rows = store_->Db().Prepare(
      "SELECT g.name, u.name FROM groups g LEFT JOIN group_members m ON m.group_id = g.id "
      "LEFT JOIN users u ON u.id = m.user_id ORDER BY g.id, u.id");
  std::vector<std::pair<std::wstring, std::vector<std::wstring>>> groups;
  while (rows.Step()) {
    if (groups.empty() || groups.back().first != rows.Text(0)) groups.push_back({rows.Text(0), {}});
    if (!rows.IsNull(1)) groups.back().second.push_back(rows.Text(1));
  }
  return groups;
}

std::int32_t SimVault::UserId(const std::wstring& name) {
  platform::Statement row = store_->Db().Query("SELECT id FROM users WHERE name = ?", name);
  if (!row.Step()) throw SimError(host::kInvalidName, "no user " + platform::ToUtf8(name));
  return row.Int(0);
}

std::int32_t SimVault::VariableId(const std::wstring& name) {
  platform::Statement row = store_->Db().Query("SELECT id FROM variables WHERE name = ?", name);
  if (!row.Step())
    throw SimError(host::kVariableNotFound, "no card variable " + platform::ToUtf8(name));
  return row.Int(0);
}

void SimVault::RemoveMember(const std::wstring& group, const std::wstring& user) {
  InTransaction(*store_, [&](platform::Database& db) {
    const std::int32_t userId = UserId(user);
    if (!db.Query("SELECT 1 FROM groups WHERE name = ?", group).Step())
      throw SimError(host::kInvalidGroupName, "no group " + platform::ToUtf8(group));
    db.Run(
        "DELETE FROM group_members WHERE user_id = ? AND group_id = "
        "(SELECT id FROM groups WHERE name = ?)",
        userId, group);
    return 0;
  });
}

void SimVault::AddMember(const std::wstring& group, const std::wstring& user) {
  const std::int32_t userId = UserId(user);
  if (store_->Db().Run("INSERT OR IGNORE INTO group_members(group_id, user_id) "
                       "SELECT id, ? FROM groups WHERE name = ?",
                       userId, group) == 0 &&
      !store_->Db().Query("SELECT 1 FROM groups WHERE name = ?", group).Step())
    throw SimError(host::kInvalidGroupName, "no group " + platform::ToUtf8(group));
}

std::int32_t SimVault::AddWorkflow(const std::wstring& name,
                                   const std::vector<std::wstring>& states) {
  return InTransaction(*store_, [&](platform::Database& db) {
    db.Run("INSERT INTO workflows(name) VALUES(?)", name);
    const auto id = static_cast<std::int32_t>(db.LastInsertId());
    for (std::size_t i = 0; i < states.size(); ++i) {
      db.Run("INSERT INTO states(workflow_id, name, position) VALUES(?, ?, ?)", id, states[i],
             static_cast<std::int32_t>(i));
    }
    return id;
  });
}

std::int32_t SimVault::StateId(const std::wstring& workflow, const std::wstring& state) {
  platform::Statement row = store_->Db().Query(
      "SELECT s.id FROM states s JOIN workflows w ON w.id = s.workflow_id "
      "WHERE w.name = ? AND s.name = ?",
      workflow, state);
  if (!row.Step()) throw SimError(host::kStateNotFound, "no such state");
  return row.Int(0);
}

std::vector<Workflow> SimVault::Workflows() {
  platform::Statement rows = store_->Db().Query(
      "SELECT w.id, w.name, s.id, s.name FROM workflows w LEFT JOIN states s "
      "ON s.workflow_id = w.id ORDER BY w.name, w.id, s.position");
  std::vector<Workflow> workflows;
  while (rows.Step()) {
    if (workflows.empty() || workflows.back().id != rows.Int(0))
      workflows.push_back({rows.Int(0), rows.Text(1), {}});
    if (!rows.IsNull(2)) workflows.back().states.push_back({rows.Int(2), rows.Text(3)});
  }
  return workflows;
}

void SimVault::AddTransition(const std::wstring& workflow, const std::wstring& from,
                             const std::wstring& to, const std::wstring& name) {
  store_->Db().Run("INSERT INTO transitions(from_state, to_state, name) VALUES(?, ?, ?)",
                   StateId(workflow, from), StateId(workflow, to), name);
}

void SimVault::SetDefaultWorkflow(const std::wstring& workflow) {
  if (store_->Db().Run("UPDATE vault SET default_workflow = "
                       "(SELECT id FROM workflows WHERE name = ?1) "
                       "WHERE EXISTS (SELECT 1 FROM workflows WHERE name = ?1)",
                       workflow) == 0)
    throw SimError(host::kStateNotFound, "no workflow " + platform::ToUtf8(workflow));
}

void SimVault::SetState(std::int32_t fileId, std::int32_t stateId) {
  if (store_->Db().Run("UPDATE files SET state_id = ? WHERE id = ?", stateId, fileId) == 0)
    throw SimError(host::kFileNotFound, "no such file");
}

std::int32_t SimVault::AddVariable(const std::wstring& name, std::int32_t type,
                                   std::int32_t flags) {
  if (type < 1 || type > 5) throw SimError(host::kInvalidType, "card variable type 1 to 5");
  store_->Db().Run("INSERT INTO variables(name, type, flags) VALUES(?, ?, ?)", name, type, flags);
  return static_cast<std::int32_t>(store_->Db().LastInsertId());
}

void SimVault::RedefineVariable(const std::wstring& name, std::int32_t type, std::int32_t flags) {
  if (type < 1 || type > 5) throw SimError(host::kInvalidType, "card variable type 1 to 5");
  InTransaction(*store_, [&](platform::Database& db) {
    const std::int32_t id = VariableId(name);
    db.Run("UPDATE variables SET type = ?, flags = ? WHERE id = ?", type, flags, id);
    struct Held {
      CardOwner owner;
      std::int32_t id;
      std::wstring configuration;
    };
    std::vector<Held> held;
    platform::Statement rows = db.Query(
        "SELECT object_kind, object_id, configuration FROM card_values WHERE variable_id = ?", id);
    while (rows.Step())
      held.push_back({static_cast<CardOwner>(rows.Int(0)), rows.Int(1), rows.Text(2)});
    for (const Held& h : held) {
      host::Value converted;
      const HResult hr =
          ConvertToCardType(LoadCardValue(db, id, h.owner, h.id, h.configuration), type, converted);
      if (host::Failed(hr)) throw SimError(hr, "a value does not fit the variable's new type");
      StoreCardValue(db, id, h.owner, h.id, h.configuration, converted);
    }
    return 0;
  });
}

int SimVault::RemoveVariable(const std::wstring& name) {
  return InTransaction(*store_, [&](platform::Database& db) {
    const std::int32_t id = VariableId(name);
    const int values = db.Run("DELETE FROM card_values WHERE variable_id = ?", id);
    db.Run("DELETE FROM variables WHERE id = ?", id);
    return values;
  });
}

void SimVault::SetCardValue(CardOwner owner, std::int32_t id, const std::wstring& variable,
                            const std::wstring& configuration, const host::Value& value) {
  InTransaction(*store_, [&](platform::Database& db) {
    const std::int32_t variableId = VariableId(variable);
    platform::Statement type = db.Query("SELECT type FROM variables WHERE id = ?", variableId);
    type.Step();
    host::Value converted;
    const HResult hr = ConvertToCardType(value, type.Int(0), converted);
    if (host::Failed(hr)) throw SimError(hr, "the value does not fit the variable's type");
    StoreCardValue(db, variableId, owner, id, configuration, converted);
    return 0;
  });
}

host::Value SimVault::CardValue(CardOwner owner, std::int32_t id, const std::wstring& variable,
                                const std::wstring& configuration) {
  return LoadCardValue(store_->Db(), VariableId(variable), owner, id, configuration);
}

int SimVault::SetConfigurations(std::int32_t fileId, const std::vector<std::wstring>& names) {
  return InTransaction(*store_, [&](platform::Database& db) {
    db.Run("DELETE FROM configurations WHERE file_id = ?", fileId);
    for (std::size_t i = 0; i < names.size(); ++i) {
      db.Run("INSERT INTO configurations(file_id, position, name) VALUES(?, ?, ?)", fileId,
             static_cast<std::int32_t>(i), names[i]);
    }
    return db.Run(
        "DELETE FROM card_values WHERE object_kind = ? AND object_id = ? AND configuration <> '' "
        "AND configuration NOT IN (SELECT name FROM configurations WHERE file_id = ?2)",
        static_cast<std::int32_t>(CardOwner::kFile), fileId);
  });
}

std::vector<std::wstring> SimVault::Configurations(std::int32_t fileId) {
  platform::Statement rows = store_->Db().Query(
      "SELECT name FROM configurations WHERE file_id = ? ORDER BY position", fileId);
  std::vector<std::wstring> names;
  while (rows.Step()) names.push_back(rows.Text(0));
  return names;
}

void SimVault::RefuseCardWrites(CardOwner owner, std::int32_t id, host::HResult code) {
  const auto kind = static_cast<std::int32_t>(owner);
  if (code == host::kOk) {
    store_->Db().Run("DELETE FROM card_refusals WHERE object_kind = ? AND object_id = ?", kind, id);
    return;
  }
  store_->Db().Run(
      "INSERT OR REPLACE INTO card_refusals(object_kind, object_id, code) "
      "VALUES(?, ?, ?)",
      kind, id, code);
}

void SimVault::SetRevision(std::int32_t fileId, const std::wstring& revision) {
  if (store_->Db().Run("UPDATE files SET revision = ? WHERE id = ?", revision, fileId) == 0)
    throw SimError(host::kFileNotFound, "no such file");
}

void SimVault::ShareFile(std::int32_t fileId, std::int32_t folderId) {
  InTransaction(*store_, [&](platform::Database& db) {
    db.Run("INSERT INTO shares(file_id, folder_id) VALUES(?, ?)", fileId, folderId);
    platform::Statement file = db.Query(
        "SELECT v.content_at, v.content_size, f.name FROM versions v "
        "JOIN files f ON f.id = v.file_id WHERE v.file_id = ? ORDER BY v.version DESC LIMIT 1",
        fileId);
    const auto folder = store_->FolderPath(folderId);
    if (file.Step() && folder) {
      store_->WriteLocal(*folder + L'\\' + file.Text(2), Stored{file.Int64(0), file.Int64(1)},
                         false);
    }
    return 0;
  });
}

void SimVault::SetErrorText(HResult code, const std::wstring& name,
                            const std::wstring& description) {
  store_->Db().Run("INSERT OR REPLACE INTO error_texts(code, name, description) VALUES(?, ?, ?)",
                   code, name, description);
}

void SimVault::SetHostString(const std::wstring& file, const std::wstring& section, std::int32_t id,
                             const std::wstring& text) {
  store_->Db().Run(
      "INSERT OR REPLACE INTO host_strings(file, section, id, text) VALUES(?, ?, ?, ?)", file,
      section, id, text);
}

HResult SimVault::ChangeState(std::int32_t fileId, const std::wstring& state,
                              const std::wstring& user) {
  return store_->Write([&] {
    platform::Database& db = store_->Db();
    platform::Statement file = db.Query(
        "SELECT f.state_id, s.workflow_id FROM files f LEFT JOIN states s ON s.id = f.state_id "
        "WHERE f.id = ?",
        fileId);
    if (!file.Step()) return host::kFileNotFound;
    if (file.IsNull(0)) return host::kStateNotFound;
    const std::int32_t current = file.Int(0);
    platform::Statement target =
        db.Query("SELECT id FROM states WHERE workflow_id = ? AND name = ?", file.Int(1), state);
    if (!target.Step()) return host::kStateNotFound;
    if (LoadCheckOut(db, fileId)) return host::kFileIsLocked;
    if (!db.Query("SELECT 1 FROM transitions WHERE from_state = ? AND to_state = ?", current,
                  target.Int(0))
             .Step())
      return host::kConditionsNotMet;
    UserId(user);
    db.Run("UPDATE files SET state_id = ? WHERE id = ?", target.Int(0), fileId);
    return host::kOk;
  });
}

std::vector<InboxMessage> SimVault::Inbox(const std::wstring& user) {
  platform::Statement rows = store_->Db().Query(
      "SELECT IFNULL(s.name, ''), IFNULL(g.name, ''), m.subject, m.body, m.sent FROM messages m "
      "LEFT JOIN users s ON s.id = m.sender_id LEFT JOIN groups g ON g.id = m.group_id "
      "WHERE m.recipient_id = ? ORDER BY m.id",
      UserId(user));
  std::vector<InboxMessage> messages;
  while (rows.Step())
    messages.push_back(
        {rows.Text(0), rows.Text(1), rows.Text(2), rows.Text(3), host::Date{rows.Double(4)}});
  return messages;
}

std::vector<StoredBatchError> SimVault::BatchErrors() {
  platform::Statement rows =
      store_->Db().Prepare("SELECT batch, file_id, folder_id, code FROM batch_errors ORDER BY id");
  std::vector<StoredBatchError> errors;
  while (rows.Step()) errors.push_back({rows.Int(0), {rows.Int(1), rows.Int(2), rows.Int(3)}});
  return errors;
}

}  // namespace vendrel::sim
