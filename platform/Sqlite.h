// RAII wrappers over SQLite: a connection, prepared statements and transactions. Failures throw.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vendrel::platform {

class SqliteError : public std::runtime_error {
 public:
  SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }
  // The database was locked by another connection beyond the busy timeout.
  bool Busy() const;
  // The disk is full; the database's files cannot be written.
  bool Full() const;
  bool ReadOnly() const;

 private:
  int code_;
};

using Blob = std::vector<std::uint8_t>;

class StatementCache;

class Statement {
 public:
  Statement(sqlite3* db, const char* sql);
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&&) = delete;
  Statement(const Statement&) = delete;
  ~Statement();

  Statement& Bind(int index, std::nullptr_t);
  Statement& Bind(int index, std::int32_t value);
  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, double value);
  Statement& Bind(int index, std::wstring_view value);
  Statement& Bind(int index, const std::string& value);
  Statement& Bind(int index, const Blob& value);
  // An empty optional binds NULL.
  template <class T>
  Statement& Bind(int index, const std::optional<T>& value) {
    return value ? Bind(index, *value) : Bind(index, nullptr);
  }
  template <class... Args>
  Statement& BindAll(const Args&... args) {
    int index = 0;
    (Bind(++index, args), ...);
    return *this;
  }

  // True while a row is available.
  bool Step();
  // Runs to completion; the number of rows changed.
  int Run();

  bool IsNull(int column) const;
  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL.
  int Type(int column) const;
  std::int32_t Int(int column) const;
  std::int64_t Int64(int column) const;
  double Double(int column) const;
  std::wstring Text(int column) const;
  Blob Bytes(int column) const;

 private:
  friend class Database;
  Statement(sqlite3* db, sqlite3_stmt* stmt, StatementCache* cache, const char* sql)
      : db_(db), stmt_(stmt), cache_(cache), sql_(sql) {}

  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  // Takes the statement back for the next use of its text instead of finalizing it.
  StatementCache* cache_ = nullptr;
  const char* sql_ = nullptr;  // the text it was asked for with, which the cache files it under
};

class Database {
 public:
  // ":memory:" opens a private in-memory database. A file the system lets no one write (a
  // read-only mount, a write-protected copy) opens for reading only.
  explicit Database(const std::filesystem::path& file, int busyTimeoutMs = 5000);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs one or more statements without parameters.
  void Execute(const char* sql);
  // Each text is compiled once: a statement goes back to the connection when it ends, reset and
  // with its parameters cleared, for the next use of the same text. So it must end before the
  // database does.
  Statement Prepare(const char* sql);
  template <class... Args>
  Statement Query(const char* sql, const Args&... args) {
    Statement s = Prepare(sql);
    s.BindAll(args...);
    return s;
  }
  template <class... Args>
  int Run(const char* sql, const Args&... args) {
    return Query(sql, args...).Run();
  }
  // Closing leaves a write-ahead log of at most `upTo` bytes for the next opener instead of
  // copying it into the database first, which syncs the disk twice however little was written.
  // A longer log is copied as before: every opener reads a kept log back whole.
  void KeepLogOnClose(std::uintmax_t upTo);
  // `hook` runs as each transaction commits, savepoints aside; when it throws, the transaction
  // rolls back and its commit fails.
  void BeforeEachCommit(std::function<void()> hook);
  std::int64_t LastInsertId() const;
  bool InTransaction() const;
  // Every write fails with SQLITE_READONLY.
  bool ReadOnly() const;
  // The text in a column of one row, decoded piece by piece as it is read, so that a long text
  // is never held whole. Each piece comes with at most how many characters are still to come.
  void ReadTextInPieces(const char* table, const char* column, std::int64_t rowId,
                        const std::function<void(std::wstring_view, std::size_t)>& take);

 private:
  sqlite3* db_ = nullptr;
  std::unique_ptr<StatementCache> cache_;
  std::optional<std::uintmax_t> keepLogUpTo_;
  std::function<void()> beforeCommit_;
};

// A database opened, and `setUp` run on it, at its first use: a process that never needs it
// never opens it. A failed set-up closes it again, so the next use tries anew.
class LazyDatabase {
 public:
  LazyDatabase(std::filesystem::path file, std::function<void(Database&)> setUp)
      : file_(std::move(file)), setUp_(std::move(setUp)) {}
  Database& Get();

 private:
  std::filesystem::path file_;
  std::function<void(Database&)> setUp_;
  std::optional<Database> db_;
};

// Copies the database `from` into `to` page by page through SQLite's backup, while other
// connections may use `from`; `to` is created or overwritten. The copy is for use and throwing
// away: it is not synced to the disk.
void CopyDatabase(const std::filesystem::path& from, const std::filesystem::path& to);

// BEGIN IMMEDIATE takes the write lock at once, so two writers never deadlock on an upgrade.
// Rolls back unless committed. Inside another transaction it is a savepoint of it: its commit
// keeps its changes for the outer one's, its roll back undoes only its own.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& db_;
  const bool nested_;
  bool done_ = false;
};

// A deferred transaction for reading: its statements share one snapshot and one read lock
// instead of each taking its own. Inside another transaction it adds nothing; it commits at the
// end of its scope. No write belongs inside: upgrading the read lock fails at once when another
// connection wrote meanwhile, where a write of its own would wait for the lock.
class ReadTransaction {
 public:
  explicit ReadTransaction(Database& db);
  ~ReadTransaction();
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;

 private:
  Database& db_;
  const bool nested_;
};

}  // namespace vendrel::platform
