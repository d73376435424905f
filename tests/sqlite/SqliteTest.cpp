// The SQLite the simulated vault is built with: Debian's natively, the cross-built one under wine.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

Db Open(const std::string& path) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open(path.c_str(), &raw);
  Db db(raw);
  EXPECT_EQ(rc, SQLITE_OK) << (raw ? sqlite3_errmsg(raw) : "out of memory");
  return db;
}

void Exec(sqlite3* db, const char* sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
  ASSERT_EQ(rc, SQLITE_OK) << sql << ": " << (error ? error : "");
}

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &raw, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  return Statement(raw);
}

std::string Text(sqlite3_stmt* s, int column) {
  const auto* p = sqlite3_column_text(s, column);
  return p ? reinterpret_cast<const char*>(p) : "";
}

TEST(Sqlite, InMemoryTableKeepsRowsInKeyOrderWithUtf8Text) {
  Db db = Open(":memory:");
  Exec(db.get(), "CREATE TABLE files (id INTEGER PRIMARY KEY, name TEXT NOT NULL)");
  Statement insert = Prepare(db.get(), "INSERT INTO files (id, name) VALUES (?, ?)");
  const std::pair<int, std::string> rows[] = {{7, "Zeichnung \xC3\xA4\xC3\xB6.txt"}, {3, "a.txt"}};
  for (const auto& [id, name] : rows) {
    sqlite3_bind_int(insert.get(), 1, id);
    sqlite3_bind_text(insert.get(), 2, name.c_str(), -1, SQLITE_TRANSIENT);
    ASSERT_EQ(sqlite3_step(insert.get()), SQLITE_DONE);
    sqlite3_reset(insert.get());
  }

  Statement select = Prepare(db.get(), "SELECT id, name FROM files ORDER BY id");
  ASSERT_EQ(sqlite3_step(select.get()), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(select.get(), 0), 3);
  EXPECT_EQ(Text(select.get(), 1), "a.txt");
  ASSERT_EQ(sqlite3_step(select.get()), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(select.get(), 0), 7);
  EXPECT_EQ(Text(select.get(), 1), "Zeichnung \xC3\xA4\xC3\xB6.txt");
  EXPECT_EQ(sqlite3_step(select.get()), SQLITE_DONE);
}

TEST(Sqlite, ConstraintViolationIsReportedAndLeavesTheTableUnchanged) {
  Db db = Open(":memory:");
  Exec(db.get(), "CREATE TABLE users (name TEXT PRIMARY KEY)");
  Exec(db.get(), "INSERT INTO users VALUES ('ann')");
  EXPECT_EQ(sqlite3_exec(db.get(), "INSERT INTO users VALUES ('ann')", nullptr, nullptr, nullptr),
            SQLITE_CONSTRAINT);
  Statement count = Prepare(db.get(), "SELECT count(*) FROM users");
  ASSERT_EQ(sqlite3_step(count.get()), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(count.get(), 0), 1);
}

// The simulated vault shares one database file between processes in WAL mode.
TEST(Sqlite, WalDatabaseFileShowsOneConnectionsCommitToAnother) {
  const auto path = std::filesystem::current_path() / "wal-test.db";
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::remove(path.string() + suffix);
  }
  {
    Db writer = Open(path.string());
    Db reader = Open(path.string());
    Statement mode = Prepare(writer.get(), "PRAGMA journal_mode=WAL");
    ASSERT_EQ(sqlite3_step(mode.get()), SQLITE_ROW);
    EXPECT_EQ(Text(mode.get(), 0), "wal");
    mode.reset();

    Exec(writer.get(), "CREATE TABLE counter (value INTEGER)");
    Exec(writer.get(),
         "BEGIN; INSERT INTO counter VALUES (41); UPDATE counter SET value = 42; COMMIT");
    Statement read = Prepare(reader.get(), "SELECT value FROM counter");
    ASSERT_EQ(sqlite3_step(read.get()), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(read.get(), 0), 42);
  }
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::remove(path.string() + suffix);
  }
}

}  // namespace
