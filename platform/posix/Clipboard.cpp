// The emulated clipboard: one row per format; putting replaces every row, as emptying would.
#include "platform/posix/Clipboard.h"

namespace vendrel::platform::posix {

SqliteClipboard::SqliteClipboard(const std::filesystem::path& database)
    : db_(database, [memory = database == ":memory:"](Database& db) {
        if (!memory) db.Execute("PRAGMA journal_mode=WAL");
        db.Execute(
            "CREATE TABLE IF NOT EXISTS clipboard("
            "  format TEXT PRIMARY KEY COLLATE NOCASE, data TEXT NOT NULL)");
      }) {}

bool SqliteClipboard::Put(Window, const std::wstring& format, const std::wstring& text) {
  if (format.empty()) return false;
  try {
    Database& db = db_.Get();
    Transaction transaction(db);
    db.Run("DELETE FROM clipboard");
    db.Run("INSERT INTO clipboard(format, data) VALUES(?, ?)", format, text);
    transaction.Commit();
    return true;
  } catch (const SqliteError&) {
    return false;
  }
}

bool SqliteClipboard::Has(const std::wstring& format) {
  try {
    return db_.Get().Query("SELECT 1 FROM clipboard WHERE format = ?", format).Step();
  } catch (const SqliteError&) {
    return false;
  }
}

ClipboardRead SqliteClipboard::Get(Window, const std::wstring& format) {
  try {
    Statement row = db_.Get().Query("SELECT data FROM clipboard WHERE format = ?", format);
    if (!row.Step()) return {true, std::nullopt};
    return {true, row.Text(0)};
  } catch (const SqliteError&) {
    return {false, std::nullopt};
  }
}

}  // namespace vendrel::platform::posix
