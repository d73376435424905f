#include "tools/vendrel/DatabaseFailure.h"

#include <sqlite3.h>

namespace vendrel::tools {

std::string DatabaseFailure(const platform::SqliteError& e) {
  if (e.Busy()) return "the vault is busy: another program holds it locked; try again";
  const std::string code = " (database error " + std::to_string(e.Code()) + ")";
  switch (e.Code() & 0xFF) {
    case SQLITE_CONSTRAINT:
      return "the vault refused the change: it conflicts with what the vault holds" + code;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      return "the vault's database is damaged or is no vault" + code;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_READONLY:
      return "the vault's database cannot be opened for writing" + code;
    case SQLITE_FULL:
      return "the disk holding the vault is full; make room on it and try again" + code;
    default:
      return "the vault's database failed" + code;
  }
}

}  // namespace vendrel::tools
