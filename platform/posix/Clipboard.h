// The clipboard emulated in the machine's database beside the registry, shared by its processes.
#pragma once

#include <filesystem>

#include "platform/Clipboard.h"
#include "platform/Sqlite.h"

namespace vendrel::platform::posix {

class SqliteClipboard final : public Clipboard {
 public:
  // ":memory:" keeps a private clipboard for tests; the registry's database is the machine's.
  explicit SqliteClipboard(const std::filesystem::path& database);

  bool Put(Window owner, const std::wstring& format, const std::wstring& text) override;
  bool Has(const std::wstring& format) override;
  ClipboardRead Get(Window owner, const std::wstring& format) override;

 private:
  LazyDatabase db_;
};

}  // namespace vendrel::platform::posix
