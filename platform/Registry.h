// The machine's registry: the real one on Windows, a database of the machine on posix.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace vendrel::platform {

enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig };

// String values (REG_SZ) and DWORD values (REG_DWORD).
using RegistryData = std::variant<std::wstring, std::uint32_t>;

class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool KeyExists(RegistryRoot root, const std::wstring& subkey) = 0;
  // Creates the key and its parents when missing.
  virtual bool CreateKey(RegistryRoot root, const std::wstring& subkey) = 0;
  // Empty when the key or the value is missing. An empty name is the key's default value.
  virtual std::optional<RegistryData> Read(RegistryRoot root, const std::wstring& subkey,
                                           const std::wstring& name) = 0;
  // Creates the key when missing.
  virtual bool Write(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                     const RegistryData& data) = 0;
  virtual bool DeleteValue(RegistryRoot root, const std::wstring& subkey,
                           const std::wstring& name) = 0;
  // Removes the key with everything below it.
  virtual bool DeleteTree(RegistryRoot root, const std::wstring& subkey) = 0;
};

}  // namespace vendrel::platform
