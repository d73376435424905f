// The registry emulated in an SQLite database of the machine, shared by its processes.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/Registry.h"
#include "platform/Sqlite.h"

namespace vendrel::platform::posix {

class SqliteRegistry : public Registry {
 public:
  // ":memory:" keeps a private registry for tests.
  explicit SqliteRegistry(const std::filesystem::path& database);
  // VENDREL_REGISTRY, else registry.db beside the default drives folder.
  static std::filesystem::path DefaultLocation();

  bool KeyExists(RegistryRoot root, const std::wstring& subkey) override;
  bool CreateKey(RegistryRoot root, const std::wstring& subkey) override;
  std::optional<RegistryData> Read(RegistryRoot root, const std::wstring& subkey,
                                   const std::wstring& name) override;
  bool Write(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
             const RegistryData& data) override;
  bool DeleteValue(RegistryRoot root, const std::wstring& subkey,
                   const std::wstring& name) override;
  bool DeleteTree(RegistryRoot root, const std::wstring& subkey) override;

  struct Value {
    RegistryRoot root;
    std::wstring subkey;
    std::wstring name;
    RegistryData data;
  };
  // Every value, for comparing one registry with another.
  std::vector<Value> Values();

 private:
  void CreateKeyLocked(RegistryRoot root, const std::wstring& key);
  Database& Db() { return db_.Get(); }

  LazyDatabase db_;
};

}  // namespace vendrel::platform::posix
