// A throwaway copy of a vault for a dry run: its database, its drive folders and the registry
// file, so a whole notification can run without touching the real ones.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/vendrel/Json.h"

namespace vendrel::tools {

// What a dry run changed in the copy.
struct CopyChanges {
  struct File {
    std::wstring path;   // Windows form
    const char* change;  // "added", "changed", "removed"
  };
  struct Rows {
    std::string table;
    int added = 0;
    int changed = 0;
    int removed = 0;
  };
  std::vector<File> files;
  std::vector<Rows> vault;
  std::vector<Rows> registry;
  std::vector<std::wstring> registryValues;  // ROOT\subkey\name of each value that differs

  bool Empty() const { return files.empty() && vault.empty() && registry.empty(); }
  std::string Text() const;
  Json ToJson() const;
};

class VaultCopy {
 public:
  // Copies the vault of `folder` into a new temporary folder; the registry this process would
  // use goes with it and the process uses the copy's from now on. Throws UsageError where the
  // machine's own registry and files are used, which cannot be copied.
  explicit VaultCopy(const std::filesystem::path& folder);
  ~VaultCopy();
  VaultCopy(const VaultCopy&) = delete;
  VaultCopy& operator=(const VaultCopy&) = delete;

  const std::filesystem::path& Folder() const { return copy_; }
  // The copy against the original.
  CopyChanges Changes() const;

 private:
  std::filesystem::path original_;
  std::filesystem::path copy_;
  std::filesystem::path registry_;  // the original registry file
};

}  // namespace vendrel::tools
