// Tables of the simulated vault. Ids of users start at 2: callers read ids 0 and 1 as "nobody".
#include "sim/Schema.h"

#include "host/Status.h"
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
CREATE TABLE versions(
  file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
  version INTEGER NOT NULL,
  user_id INTEGER REFERENCES users(id) ON DELETE SET NULL,
  time REAL NOT NULL,
  comment TEXT NOT NULL,
  content BLOB NOT NULL,
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

struct ErrorText {
  host::HResult code;
  const wchar_t* name;
  const wchar_t* description;
};

// The codes this host returns, with its own texts.
constexpr ErrorText kErrorTexts[] = {
    {host::kOk, L"S_OK", L"The method was successfully executed."},
    {host::kFalse, L"S_FALSE", L"The method was successfully executed but returned 'false'."},
    {host::kPointer, L"E_POINTER", L"An invalid pointer was supplied to the method."},
    {host::kFail, L"E_FAIL", L"An unspecified error occurred."},
    {host::kUnexpected, L"E_UNEXPECTED", L"An unspecified error occurred."},
    {host::kOutOfMemory, L"E_OUTOFMEMORY", L"Not enough memory to complete the operation."},
    {host::kInvalidArg, L"E_INVALIDARG", L"An invalid argument was given to the method."},
    {host::kPermissionDenied, L"E_ZEM_PERMISSION_DENIED",
     L"You do not have permission to perform this operation."},
    {host::kNotLoggedIn, L"E_ZEM_NOT_LOGGED_IN", L"You haven't logged in on the file vault."},
    {host::kNameAlreadyExists, L"E_ZEM_NAME_ALREADY_EXISTS",
     L"An object with the same name already exists."},
    {host::kFileNotLockedByYou, L"E_ZEM_FILE_NOT_LOCKED_BY_YOU",
     L"The file is not checked out by you."},
    {host::kFileIsLocked, L"E_ZEM_FILE_IS_LOCKED", L"The file is checked out."},
    {host::kLockedByAnotherUser, L"E_ZEM_LOCKED_BY_ANOTHER_USER",
     L"The file in question is checked out by another user."},
    {host::kFileNotFound, L"E_ZEM_FILE_NOT_FOUND", L"The file could not be found."},
    {host::kFolderNotFound, L"E_ZEM_FOLDER_NOT_FOUND", L"The folder could not be found."},
    {host::kLockedOnOtherComputer, L"E_ZEM_LOCKED_ON_OTHER_COMPUTER",
     L"The file is checked out on another computer."},
    {host::kStateNotFound, L"E_ZEM_STATE_NOT_FOUND", L"The workflow state could not be found."},
    {host::kInvalidName, L"E_ZEM_INVALID_NAME", L"The name is invalid."},
    {host::kFolderNotEmpty, L"E_ZEM_FOLDER_NOT_EMPTY", L"The folder is not empty."},
    {host::kInvalidType, L"E_ZEM_INVALID_TYPE", L"The type is invalid."},
    {host::kConditionsNotMet, L"E_ZEM_CONDITIONS_NOT_MET",
     L"The conditions of the transition are not met."},
    {host::kVariableNotFound, L"E_ZEM_VARIABLE_NOT_FOUND",
     L"The specified card variable is missing."},
    {host::kInvalidGroupName, L"", L"The group name is invalid."},
    {host::kLockedInOtherFolder, L"E_ZEM_LOCKED_IN_OTHER_FOLDER",
     L"The file is checked out in another folder."},
    {host::kTypeMismatch, L"DISP_E_TYPEMISMATCH", L"Type mismatch."},
};

}  // namespace

void CreateSchema(platform::Database& db, const std::wstring& vaultName,
                  const std::wstring& rootPath) {
  platform::Transaction transaction(db);
  db.Execute(kTables);
  db.Run("INSERT INTO schema_version(version) VALUES(?)", kSchemaVersion);
  db.Run("INSERT INTO vault(id, name, root_path) VALUES(1, ?, ?)", vaultName, rootPath);
  db.Run("INSERT INTO folders(id, parent_id, name) VALUES(?, NULL, ?)", kRootFolderId,
         rootPath.substr(rootPath.find_last_of(L'\\') + 1));
  for (const ErrorText& text : kErrorTexts) {
    db.Run("INSERT INTO error_texts(code, name, description) VALUES(?, ?, ?)", text.code,
           std::wstring(text.name), std::wstring(text.description));
  }
  transaction.Commit();
}

void CheckSchema(platform::Database& db) {
  platform::Statement version =
      db.Prepare("SELECT version FROM schema_version WHERE version IS NOT NULL");
  if (!version.Step() || version.Int(0) != kSchemaVersion)
    throw SimError(host::kFail, "not a vault database of this version");
}

}  // namespace vendrel::sim
