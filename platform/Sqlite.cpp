// SQLite connection, statements and transactions.
#include "platform/Sqlite.h"

#include <sqlite3.h>

#include <memory>

#include "platform/Utf8.h"

namespace vendrel::platform {
namespace {

[[noreturn]] void Throw(sqlite3* db, int code) {
  throw SqliteError(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

void Check(sqlite3* db, int code) {
  if (code != SQLITE_OK) Throw(db, code);
}

}  // namespace

bool SqliteError::Busy() const {
  return (code_ & 0xFF) == SQLITE_BUSY || (code_ & 0xFF) == SQLITE_LOCKED;
}

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
  Check(db_, sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr));
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
  other.stmt_ = nullptr;
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, std::nullptr_t) {
  Check(db_, sqlite3_bind_null(stmt_, index));
  return *this;
}

Statement& Statement::Bind(int index, std::int32_t value) {
  Check(db_, sqlite3_bind_int(stmt_, index, value));
  return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
  Check(db_, sqlite3_bind_int64(stmt_, index, value));
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  Check(db_, sqlite3_bind_double(stmt_, index, value));
  return *this;
}

Statement& Statement::Bind(int index, const std::wstring& value) {
  return Bind(index, ToUtf8(value));
}

Statement& Statement::Bind(int index, const std::string& value) {
  Check(db_, sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()),
                               SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::Bind(int index, const Blob& value) {
  // A zero-length blob must stay a blob, not become NULL.
  Check(db_,
        sqlite3_bind_blob(stmt_, index, value.empty() ? static_cast<const void*>("") : value.data(),
                          static_cast<int>(value.size()), SQLITE_TRANSIENT));
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Throw(db_, rc);
}

int Statement::Run() {
  while (Step()) {
  }
  return sqlite3_changes(db_);
}

bool Statement::IsNull(int column) const {
  return Type(column) == SQLITE_NULL;
}
int Statement::Type(int column) const {
  return sqlite3_column_type(stmt_, column);
}
std::int32_t Statement::Int(int column) const {
  return sqlite3_column_int(stmt_, column);
}
std::int64_t Statement::Int64(int column) const {
  return sqlite3_column_int64(stmt_, column);
}
double Statement::Double(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::wstring Statement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!text) return {};
  return FromUtf8(std::string_view(text, sqlite3_column_bytes(stmt_, column)));
}

Blob Statement::Bytes(int column) const {
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
  return Blob(data, data + sqlite3_column_bytes(stmt_, column));
}

Database::Database(const std::filesystem::path& file, int busyTimeoutMs) {
  const std::u8string name = file.u8string();
  const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    SqliteError error(rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
    sqlite3_close(db_);
    throw error;
  }
  sqlite3_busy_timeout(db_, busyTimeoutMs);
}

Database::~Database() {
  sqlite3_close_v2(db_);
}

void Database::Execute(const char* sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    SqliteError error(rc, message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    throw error;
  }
}

std::int64_t Database::LastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}
bool Database::InTransaction() const {
  return sqlite3_get_autocommit(db_) == 0;
}

Transaction::Transaction(Database& db) : db_(db) {
  db_.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (!done_ && db_.InTransaction()) {
    try {
      db_.Execute("ROLLBACK");
    } catch (const SqliteError&) {
      // Nothing more can be done; SQLite rolls back itself when the connection closes.
    }
  }
}

void Transaction::Commit() {
  db_.Execute("COMMIT");
  done_ = true;
}

void CopyDatabase(const std::filesystem::path& from, const std::filesystem::path& to) {
  const auto open = [](const std::filesystem::path& file, int flags) {
    const std::u8string name = file.u8string();
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
      SqliteError error(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
      sqlite3_close(db);
      throw error;
    }
    return std::unique_ptr<sqlite3, int (*)(sqlite3*)>(db, sqlite3_close_v2);
  };
  // Read-write without create: a WAL database needs its shared-memory file, which a read-only
  // connection could leave behind.
  const auto source = open(from, SQLITE_OPEN_READWRITE);
  const auto target = open(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  sqlite3_busy_timeout(source.get(), 5000);
  sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.get(), "main");
  if (backup == nullptr)
    throw SqliteError(sqlite3_errcode(target.get()), sqlite3_errmsg(target.get()));
  sqlite3_backup_step(backup, -1);
  const int rc = sqlite3_backup_finish(backup);
  if (rc != SQLITE_OK) throw SqliteError(rc, sqlite3_errmsg(target.get()));
}

}  // namespace vendrel::platform
