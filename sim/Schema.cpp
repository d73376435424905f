// Tables of the simulated vault. Ids of users start at 2: callers read ids 0 and 1 as "nobody".
#include "sim/Schema.h"

#include "host/Status.h"
#include "host/StatusTable.h"
#include "host/Strings.h"
#include "sim/Store.h"

namespace vendrel::sim {
namespace {

constexpr const char* kTables = R"sql(
CREATE TABLE schema_version(version INTEGER NOT NULL);
CREATE TABLE workflows(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE);
CREATE TABLE states(
  id INTEGER PRIMARY KEY,
  workflow_id INTEGER NOT NULL REFERENCES workflows(id) ON DELETE CASCADE,
  name TEXT NOT NULL COLLATE NOCASE,
  position INTEGER NOT NULL,
  UNIQUE(workflow_id, name));
-- A workflow's first state, which every added file takes, without sorting them all.
CREATE INDEX states_in_order ON states(workflow_id, position);
CREATE TABLE transitions(
  id INTEGER PRIMARY KEY,
  from_state INTEGER NOT NULL REFERENCES states(id) ON DELETE CASCADE,
  to_state INTEGER NOT NULL REFERENCES states(id) ON DELETE CASCADE,
  name TEXT NOT NULL,
  UNIQUE(from_state, to_state));
CREATE TABLE vault(
  id INTEGER PRIMARY KEY CHECK (id = 1),
  name TEXT NOT NULL,
  root_path TEXT NOT NULL,
  host_major INTEGER NOT NULL DEFAULT 10,
  host_minor INTEGER NOT NULL DEFAULT 0,
  default_workflow INTEGER REFERENCES workflows(id) ON DELETE SET NULL);
CREATE TABLE users(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE);
CREATE TABLE groups(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE);
CREATE TABLE group_members(
  group_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE CASCADE,
  user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
  PRIMARY KEY(group_id, user_id));
CREATE TABLE messages(
  id INTEGER PRIMARY KEY,
  recipient_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
  sender_id INTEGER REFERENCES users(id) ON DELETE SET NULL,
  group_id INTEGER REFERENCES groups(id) ON DELETE SET NULL,
  subject TEXT NOT NULL,
  body TEXT NOT NULL,
  sent REAL NOT NULL);
CREATE TABLE folders(
  id INTEGER PRIMARY KEY,
  parent_id INTEGER REFERENCES folders(id),
  name TEXT NOT NULL COLLATE NOCASE,
  UNIQUE(parent_id, name));
CREATE TABLE files(
  id INTEGER PRIMARY KEY,
  folder_id INTEGER NOT NULL REFERENCES folders(id),
  name TEXT NOT NULL COLLATE NOCASE,
  revision TEXT NOT NULL DEFAULT '',
  state_id INTEGER REFERENCES states(id) ON DELETE SET NULL,
  UNIQUE(folder_id, name));
CREATE TABLE shares(
  file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
  folder_id INTEGER NOT NULL REFERENCES folders(id) ON DELETE CASCADE,
  PRIMARY KEY(file_id, folder_id));
CREATE INDEX shares_by_folder ON shares(folder_id, file_id);
CREATE TABLE versions(
  file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
  version INTEGER NOT NULL,
  user_id INTEGER REFERENCES users(id) ON DELETE SET NULL,
  time REAL NOT NULL,
  comment TEXT NOT NULL,
  content_at INTEGER NOT NULL,
  content_size INTEGER NOT NULL,
  PRIMARY KEY(file_id, version));
CREATE TABLE configurations(
  file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
  position INTEGER NOT NULL,
  name TEXT NOT NULL,
  PRIMARY KEY(file_id, name));
CREATE TABLE checkouts(
  file_id INTEGER PRIMARY KEY REFERENCES files(id) ON DELETE CASCADE,
  user_id INTEGER NOT NULL REFERENCES users(id),
  folder_id INTEGER NOT NULL REFERENCES folders(id),
  computer TEXT NOT NULL,
  local_path TEXT NOT NULL);
CREATE TABLE variables(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE COLLATE NOCASE,
  type INTEGER NOT NULL CHECK (type BETWEEN 1 AND 5),
  flags INTEGER NOT NULL DEFAULT 0);
CREATE TABLE card_values(
  variable_id INTEGER NOT NULL REFERENCES variables(id) ON DELETE CASCADE,
  object_kind INTEGER NOT NULL CHECK (object_kind IN (1, 2)),
  object_id INTEGER NOT NULL,
  configuration TEXT NOT NULL DEFAULT '',
  kind INTEGER NOT NULL,
  value,
  PRIMARY KEY(variable_id, object_kind, object_id, configuration));
-- Card writes that a test makes the next batches refuse with a code of its choice.
CREATE TABLE card_refusals(
  object_kind INTEGER NOT NULL CHECK (object_kind IN (1, 2)),
  object_id INTEGER NOT NULL,
  code INTEGER NOT NULL,
  PRIMARY KEY(object_kind, object_id));
CREATE TRIGGER file_card_values AFTER DELETE ON files BEGIN
  DELETE FROM card_values WHERE object_kind = 1 AND object_id = old.id;
END;
CREATE TABLE dictionaries(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE dictionary_entries(
  dictionary_id INTEGER NOT NULL REFERENCES dictionaries(id) ON DELETE CASCADE,
  key INTEGER NOT NULL,
  text TEXT NOT NULL,
  PRIMARY KEY(dictionary_id, key));
CREATE TABLE error_texts(code INTEGER PRIMARY KEY, name TEXT NOT NULL, description TEXT NOT NULL);
CREATE TABLE host_strings(
  file TEXT NOT NULL COLLATE NOCASE,
  section TEXT NOT NULL COLLATE NOCASE,
  id INTEGER NOT NULL,
  text TEXT NOT NULL,
  PRIMARY KEY(file, section, id));
CREATE TABLE batch_errors(
  id INTEGER PRIMARY KEY,
  batch INTEGER NOT NULL,
  file_id INTEGER NOT NULL,
  folder_id INTEGER NOT NULL,
  code INTEGER NOT NULL);
)sql";

// Besides its own codes, the host describes this one of the system.
constexpr wchar_t kTypeMismatchName[] = L"DISP_E_TYPEMISMATCH";
constexpr wchar_t kTypeMismatchText[] = L"Type mismatch.";

}  // namespace

void CreateSchema(platform::Database& db, const std::wstring& vaultName,
                  const std::wstring& rootPath) {
  platform::Transaction transaction(db);
  db.Execute(kTables);
  db.Run("INSERT INTO schema_version(version) VALUES(?)", kSchemaVersion);
  db.Run("INSERT INTO vault(id, name, root_path) VALUES(1, ?, ?)", vaultName, rootPath);
  db.Run("INSERT INTO folders(id, parent_id, name) VALUES(?, NULL, ?)", kRootFolderId,
         rootPath.substr(rootPath.find_last_of(L'\\') + 1));
  // The host's own codes with its English texts.
  for (const host::StatusRow& row : host::StatusTable()) {
    db.Run("INSERT INTO error_texts(code, name, description) VALUES(?, ?, ?)", row.code,
           std::wstring(row.name), strings::English(L"ZemInterface", L"ErrorCodes", row.stringId));
  }
  db.Run("INSERT INTO error_texts(code, name, description) VALUES(?, ?, ?)", host::kTypeMismatch,
         std::wstring(kTypeMismatchName), std::wstring(kTypeMismatchText));
  transaction.Commit();
}

void CheckSchema(platform::Database& db) {
  platform::Statement version =
      db.Prepare("SELECT version FROM schema_version WHERE version IS NOT NULL");
  if (!version.Step() || version.Int(0) != kSchemaVersion)
    throw SimError(host::kFail, "not a vault database of this version");
}

}  // namespace vendrel::sim
