// The SQLite connection of the platform layer, which the simulated vault is built on: statements
// used again, transactions inside transactions, a commit hook, long texts read in pieces, a log
// kept at close, a database opened when first used.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Sqlite.h"

namespace vendrel::platform {
namespace {

std::vector<int> Keys(Database& db) {
  std::vector<int> keys;
  for (Statement row = db.Prepare("SELECT k FROM t ORDER BY k"); row.Step();) {
    keys.push_back(row.Int(0));
  }
  return keys;
}

TEST(Database, AStatementUsedAgainStartsAfreshAndOneInUseIsNotShared) {
  Database db(":memory:");
  db.Execute("CREATE TABLE t(k INTEGER)");
  db.Run("INSERT INTO t VALUES(1), (2)");
  const char* const sql = "SELECT k FROM t WHERE k >= ? ORDER BY k";
  {
    Statement first = db.Query(sql, 1);
    ASSERT_TRUE(first.Step());
    Statement second = db.Query(sql, 2);
    ASSERT_TRUE(second.Step());
    EXPECT_EQ(second.Int(0), 2);
    EXPECT_EQ(first.Int(0), 1);
  }
  EXPECT_FALSE(db.Prepare(sql).Step()) << "a parameter left unbound is NULL again";
  Statement again = db.Query(sql, 1);
  ASSERT_TRUE(again.Step());
  EXPECT_EQ(again.Int(0), 1) << "from the first row again";
}

// Statements are kept by where their text lies; a text built in the same place as an earlier
// one gets its own statement.
TEST(Database, ATextInThePlaceOfAnotherGetsItsOwnStatement) {
  Database db(":memory:");
  char text[32] = "SELECT 1";
  {
    Statement one = db.Prepare(text);
    ASSERT_TRUE(one.Step());
    EXPECT_EQ(one.Int(0), 1);
  }
  std::snprintf(text, sizeof text, "SELECT 2");
  Statement two = db.Prepare(text);
  ASSERT_TRUE(two.Step());
  EXPECT_EQ(two.Int(0), 2);
}

TEST(Database, AnInnerTransactionUndoesOnlyItselfAndLastsOnlyWithTheOuterOne) {
  Database db(":memory:");
  db.Execute("CREATE TABLE t(k INTEGER)");
  {
    Transaction outer(db);
    {
      Transaction kept(db);
      db.Run("INSERT INTO t VALUES(1)");
      kept.Commit();
    }
    {
      Transaction undone(db);
      db.Run("INSERT INTO t VALUES(2)");
    }
    EXPECT_TRUE(db.InTransaction());
    outer.Commit();
  }
  EXPECT_FALSE(db.InTransaction());
  EXPECT_EQ(Keys(db), std::vector<int>{1});
  {
    Transaction outer(db);
    Transaction inner(db);
    db.Run("INSERT INTO t VALUES(3)");
    inner.Commit();
  }
  EXPECT_EQ(Keys(db), std::vector<int>{1});
}

// Pieces are 64 kB of stored bytes: characters of three and four bytes stand across the cuts.
// Reads in one read transaction see one snapshot: another connection's commit shows only after
// it. Inside a transaction it adds nothing and ends nothing.
TEST(Database, AReadTransactionSeesOneSnapshotAndNestsInAnyTransaction) {
  const std::filesystem::path file = std::filesystem::current_path() / "read-snapshot-test.db";
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  {
    Database reader(file);
    Database writer(file);
    writer.Execute("PRAGMA journal_mode=WAL; CREATE TABLE t(k INTEGER); INSERT INTO t VALUES(1)");
    {
      const ReadTransaction snapshot(reader);
      EXPECT_TRUE(reader.InTransaction());
      EXPECT_EQ(Keys(reader), std::vector<int>({1}));
      writer.Run("INSERT INTO t VALUES(2)");
      EXPECT_EQ(Keys(reader), std::vector<int>({1}));
    }
    EXPECT_FALSE(reader.InTransaction());
    EXPECT_EQ(Keys(reader), std::vector<int>({1, 2}));
    {
      Transaction outer(reader);
      { const ReadTransaction inner(reader); }
      EXPECT_TRUE(reader.InTransaction());
      reader.Run("INSERT INTO t VALUES(3)");
      outer.Commit();
    }
    EXPECT_EQ(Keys(writer), std::vector<int>({1, 2, 3}));
  }
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
}

// The hook runs once per outer commit, never for a savepoint; a throwing hook keeps the
// transaction out of the database.
TEST(Database, TheCommitHookRunsForOuterCommitsAndCanRefuseThem) {
  Database db(":memory:");
  db.Execute("CREATE TABLE t(k INTEGER)");
  int runs = 0;
  bool refuse = false;
  db.BeforeEachCommit([&] {
    ++runs;
    if (refuse) throw std::runtime_error("refused");
  });
  {
    Transaction outer(db);
    db.Run("INSERT INTO t VALUES(1)");
    Transaction inner(db);
    db.Run("INSERT INTO t VALUES(2)");
    inner.Commit();
    EXPECT_EQ(runs, 0);
    outer.Commit();
  }
  EXPECT_EQ(runs, 1);
  refuse = true;
  {
    Transaction refused(db);
    db.Run("INSERT INTO t VALUES(3)");
    EXPECT_THROW(refused.Commit(), SqliteError);
  }
  EXPECT_FALSE(db.InTransaction());
  EXPECT_EQ(Keys(db), std::vector<int>({1, 2}));
}

TEST(Database, ATextReadInPiecesIsTheWholeTextWhereverTheCutsFall) {
  Database db(":memory:");
  db.Execute("CREATE TABLE t(v TEXT)");
  const std::wstring text = std::wstring(65535, L'a') + L"\u20AC" + std::wstring(65532, L'b') +
                            L"\U0001F600" + L"\u00E9z";
  db.Run("INSERT INTO t VALUES(?)", text);
  std::wstring joined;
  int pieces = 0;
  db.ReadTextInPieces("t", "v", db.LastInsertId(), [&](std::wstring_view piece, std::size_t left) {
    joined += piece;
    ++pieces;
    EXPECT_GE(left, text.size() - joined.size());
  });
  EXPECT_EQ(joined, text);
  EXPECT_EQ(pieces, 3);
}

TEST(Database, ALogUpToItsLimitIsKeptAtCloseAndReadByTheNextOpener) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("vendrel-keep-log-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "kept.db";
  const std::filesystem::path log = folder / "kept.db-wal";
  const auto write = [&](std::uintmax_t keepUpTo, int value) {
    Database db(file);
    db.Execute("PRAGMA journal_mode=WAL");
    db.KeepLogOnClose(keepUpTo);
    db.Execute("CREATE TABLE IF NOT EXISTS t(k INTEGER)");
    db.Run("INSERT INTO t VALUES(?)", value);
  };
  write(1 << 20, 7);
  EXPECT_TRUE(std::filesystem::exists(log) && std::filesystem::file_size(log) > 0)
      << "the log was copied into the database at close";
  write(0, 8);
  EXPECT_FALSE(std::filesystem::exists(log) && std::filesystem::file_size(log) > 0)
      << "a log over the limit was kept";
  {
    Database db(file);
    EXPECT_EQ(Keys(db), (std::vector<int>{7, 8}));
  }
  std::filesystem::remove_all(folder);
}

TEST(Database, ALazyDatabaseIsOpenedAtItsFirstUseAndSetUpAgainAfterAFailedSetUp) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("vendrel-lazy-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "lazy.db";
  int setUps = 0;
  {
    LazyDatabase lazy(file, [&](Database& db) {
      if (++setUps == 1) db.Execute("NOT SQL");
      db.Execute("CREATE TABLE t(k INTEGER)");
    });
    EXPECT_FALSE(std::filesystem::exists(file)) << "opened before its first use";
    EXPECT_THROW(lazy.Get(), SqliteError);
    lazy.Get().Run("INSERT INTO t VALUES(3)");
    EXPECT_EQ(Keys(lazy.Get()), std::vector<int>{3});
  }
  EXPECT_EQ(setUps, 2);
  std::filesystem::remove_all(folder);  // closed first: Windows removes no open file
}

}  // namespace
}  // namespace vendrel::platform
