// SQLite connection, statements and transactions.
#include "platform/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Utf8.h"

namespace vendrel::platform {
namespace {

// SQLite calls a file it had no room to make or extend an I/O error; only a write cut short is
// "full" to it. Windows' own layer already says full for both.
int Classified(sqlite3* db, int code) {
  if (db && (code & 0xFF) == SQLITE_IOERR && sqlite3_system_errno(db) == ENOSPC) {
    return SQLITE_FULL;
  }
  return code;
}

[[noreturn]] void Throw(sqlite3* db, int code) {
  throw SqliteError(Classified(db, code), db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

void Check(sqlite3* db, int code) {
  if (code != SQLITE_OK) Throw(db, code);
}

// Every connection serves one thread at a time, so none needs SQLite's own locks around each
// call, and nobody reads its memory statistics, which take a lock at each allocation. Nor does a
// connection's page cache start with room for twenty pages, which it touches all at once: a
// registry read needs three, and a page fault on new memory is dear on a virtual machine. Set
// before SQLite starts, as it requires; later the calls fail harmlessly.
int Open(const char* name, sqlite3** db, int flags) {
  [[maybe_unused]] static const bool configured = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    return true;
  }();
  return sqlite3_open_v2(name, db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
}

}  // namespace

// Idle compiled statements by the address of the text they were asked for with. The program's
// texts are literals, so their addresses find them without hashing them; the text kept beside
// them tells when an address came back holding another text. A bound keeps the cache small
// even for texts built at run time.
class StatementCache {
 public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache() {
    for (auto& [sql, idle] : idle_) Finalize(idle);
  }
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // An idle statement of the text, else a new one, which is not `cacheable` when the text holds
  // more than the one statement compiled.
  sqlite3_stmt* Take(const char* sql, bool& cacheable) {
    cacheable = true;
    if (const auto found = idle_.find(sql); found != idle_.end()) {
      Idle& idle = found->second;
      if (!idle.statements.empty() && idle.text == sql) {
        sqlite3_stmt* stmt = idle.statements.back();
        idle.statements.pop_back();
        return stmt;
      }
    }
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    Check(db_, sqlite3_prepare_v2(db_, sql, -1, &stmt, &tail));
    cacheable = stmt && tail && *tail == '\0';
    return stmt;
  }

  void Give(const char* sql, sqlite3_stmt* stmt) {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (idle_.size() >= kMaxTexts && !idle_.contains(sql)) {
      sqlite3_finalize(stmt);
      return;
    }
    // Compared with the statement's own copy: the text asked with may be gone by now.
    Idle& idle = idle_[sql];
    if (idle.text != sqlite3_sql(stmt)) {
      Finalize(idle);
      idle.text = sqlite3_sql(stmt);
    }
    idle.statements.push_back(stmt);
  }

 private:
  struct Idle {
    std::string text;
    std::vector<sqlite3_stmt*> statements;
  };

  static void Finalize(Idle& idle) {
    for (sqlite3_stmt* stmt : idle.statements) sqlite3_finalize(stmt);
    idle.statements.clear();
  }

  static constexpr std::size_t kMaxTexts = 256;

  sqlite3* db_;
  std::unordered_map<const char*, Idle> idle_;
};

bool SqliteError::Busy() const {
  return (code_ & 0xFF) == SQLITE_BUSY || (code_ & 0xFF) == SQLITE_LOCKED;
}
bool SqliteError::Full() const {
  return (code_ & 0xFF) == SQLITE_FULL;
}
bool SqliteError::ReadOnly() const {
  return (code_ & 0xFF) == SQLITE_READONLY;
}

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
  Check(db_, sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr));
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_), cache_(other.cache_), sql_(other.sql_) {
  other.stmt_ = nullptr;
}

Statement::~Statement() {
  if (cache_ && stmt_) {
    cache_->Give(sql_, stmt_);
  } else {
    sqlite3_finalize(stmt_);
  }
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

Statement& Statement::Bind(int index, std::wstring_view value) {
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

namespace {

sqlite3* OpenOrThrow(const char* name, int flags) {
  sqlite3* db = nullptr;
  const int rc = Open(name, &db, flags);
  if (rc != SQLITE_OK) {
    SqliteError error(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    throw error;
  }
  return db;
}

bool Readable(sqlite3* db) {
  return sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) ==
         SQLITE_OK;
}

}  // namespace

Database::Database(const std::filesystem::path& file, int busyTimeoutMs) {
  const std::u8string name = file.u8string();
  const auto* text = reinterpret_cast<const char*>(name.c_str());
  db_ = OpenOrThrow(text, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  // A write-ahead log's readers share an index file beside the database, which a read-only
  // folder may lack and cannot get. With no log to read either, nothing can change the file
  // meanwhile, and it is read as it stands.
  std::filesystem::path log = file;
  log += "-wal";
  std::error_code ec;
  const std::uintmax_t logged = std::filesystem::file_size(log, ec);
  if (ReadOnly() && !Readable(db_) && (ec || logged == 0)) {
    sqlite3_close(db_);
    std::string uri = "file:";
    for (const char c : std::string_view(text)) {
      if (c == '%' || c == '?' || c == '#') {
        constexpr char kHex[] = "0123456789abcdef";
        uri += {'%', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
      } else {
        uri += c;
      }
    }
    uri += "?immutable=1";
    db_ = OpenOrThrow(uri.c_str(), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
  }
  sqlite3_busy_timeout(db_, busyTimeoutMs);
  cache_ = std::make_unique<StatementCache>(db_);
}

Database::~Database() {
  cache_.reset();
  if (keepLogUpTo_) {
    std::filesystem::path log(reinterpret_cast<const char8_t*>(sqlite3_db_filename(db_, "main")));
    log += "-wal";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(log, error);
    if (!error && size > *keepLogUpTo_) {
      sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    }
  }
  sqlite3_close_v2(db_);
}

Database& LazyDatabase::Get() {
  if (db_) return *db_;
  db_.emplace(file_);
  try {
    setUp_(*db_);
  } catch (...) {
    db_.reset();
    throw;
  }
  return *db_;
}

Statement Database::Prepare(const char* sql) {
  bool cacheable = false;
  sqlite3_stmt* stmt = cache_->Take(sql, cacheable);
  return Statement(db_, stmt, cacheable ? cache_.get() : nullptr, sql);
}

void Database::KeepLogOnClose(std::uintmax_t upTo) {
  sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  keepLogUpTo_ = upTo;
}

void Database::BeforeEachCommit(std::function<void()> hook) {
  beforeCommit_ = std::move(hook);
  sqlite3_commit_hook(
      db_,
      [](void* self) {
        try {
          static_cast<Database*>(self)->beforeCommit_();
          return 0;
        } catch (...) {
          return 1;
        }
      },
      this);
}

void Database::Execute(const char* sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    SqliteError error(Classified(db_, rc), message ? message : sqlite3_errstr(rc));
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
bool Database::ReadOnly() const {
  return sqlite3_db_readonly(db_, "main") == 1;
}

void Database::ReadTextInPieces(const char* table, const char* column, std::int64_t rowId,
                                const std::function<void(std::wstring_view, std::size_t)>& take) {
  constexpr int kPiece = 64 * 1024;
  sqlite3_blob* opened = nullptr;
  Check(db_, sqlite3_blob_open(db_, "main", table, column, rowId, 0, &opened));
  const std::unique_ptr<sqlite3_blob, int (*)(sqlite3_blob*)> blob(opened, sqlite3_blob_close);
  const int size = sqlite3_blob_bytes(blob.get());
  // Room for a piece and the bytes of a character cut at the end of the one before, which come
  // first; left unset, as each piece is read over it.
  constexpr std::size_t kCutAtMost = 3;
  const auto bytes = std::make_unique_for_overwrite<char[]>(kPiece + kCutAtMost);
  std::size_t kept = 0;
  std::wstring piece;
  for (int offset = 0; offset < size;) {
    const int count = std::min(kPiece, size - offset);
    Check(db_, sqlite3_blob_read(blob.get(), bytes.get() + kept, count, offset));
    offset += count;
    const std::string_view read(bytes.get(), kept + static_cast<std::size_t>(count));
    piece.clear();
    const std::size_t used = AppendUtf8(piece, read, offset < size);
    kept = read.size() - used;
    std::copy(read.begin() + static_cast<std::ptrdiff_t>(used), read.end(), bytes.get());
    // Every character takes one byte at least.
    if (!piece.empty()) take(piece, static_cast<std::size_t>(size - offset) + kept);
    // The pages just read are not needed again; kept, they would fill the connection's cache.
    sqlite3_db_release_memory(db_);
  }
}

// Begun and ended through the connection's kept statements: a batch of writes runs a savepoint
// per write, which need not be compiled each time.
Transaction::Transaction(Database& db) : db_(db), nested_(db.InTransaction()) {
  db_.Prepare(nested_ ? "SAVEPOINT nested" : "BEGIN IMMEDIATE").Run();
}

Transaction::~Transaction() {
  if (!done_ && db_.InTransaction()) {
    try {
      db_.Execute(nested_ ? "ROLLBACK TO nested; RELEASE nested" : "ROLLBACK");
    } catch (const SqliteError&) {
      // Nothing more can be done; SQLite rolls back itself when the connection closes.
    }
  }
}

void Transaction::Commit() {
  db_.Prepare(nested_ ? "RELEASE nested" : "COMMIT").Run();
  done_ = true;
}

ReadTransaction::ReadTransaction(Database& db) : db_(db), nested_(db.InTransaction()) {
  if (!nested_) db_.Prepare("BEGIN").Run();
}

ReadTransaction::~ReadTransaction() {
  if (nested_ || !db_.InTransaction()) return;
  try {
    db_.Prepare("COMMIT").Run();
  } catch (const SqliteError&) {
    // Left open, it would hold this snapshot for every later read.
    try {
      db_.Execute("ROLLBACK");
    } catch (const SqliteError&) {
      // Nothing more can be done; SQLite rolls back itself when the connection closes.
    }
  }
}

void CopyDatabase(const std::filesystem::path& from, const std::filesystem::path& to) {
  const auto open = [](const std::filesystem::path& file, int flags) {
    const std::u8string name = file.u8string();
    return std::unique_ptr<sqlite3, int (*)(sqlite3*)>(
        OpenOrThrow(reinterpret_cast<const char*>(name.c_str()), flags), sqlite3_close_v2);
  };
  // Read-write without create: a WAL database needs its shared-memory file, which a read-only
  // connection could leave behind.
  const auto source = open(from, SQLITE_OPEN_READWRITE);
  const auto target = open(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  sqlite3_busy_timeout(source.get(), 5000);
  sqlite3_exec(target.get(), "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
  sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.get(), "main");
  if (backup == nullptr)
    throw SqliteError(sqlite3_errcode(target.get()), sqlite3_errmsg(target.get()));
  sqlite3_backup_step(backup, -1);
  const int rc = sqlite3_backup_finish(backup);
  if (rc != SQLITE_OK) throw SqliteError(rc, sqlite3_errmsg(target.get()));
}

}  // namespace vendrel::platform
