// The machine services of Windows: files, registry, environment, clock and names. Thin
// wrappers: each operation is one or two Win32 calls.
#pragma once

#include <optional>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace vendrel::platform {

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<std::uint32_t> Attributes(const std::wstring& path) override;
  bool AnyMatch(const std::wstring& pattern) override;
  bool CopyFile(const std::wstring& from, const std::wstring& to, bool failIfExists) override;
  bool MoveFile(const std::wstring& from, const std::wstring& to) override;
  bool DeleteFile(const std::wstring& path) override;
  bool MakeWritable(const std::wstring& path) override;
  bool CreateDirectory(const std::wstring& path) override;
  std::wstring CurrentDirectory() override;
  std::unique_ptr<FileReader> OpenForReading(const std::wstring& path) override;
  std::unique_ptr<FileWriter> OpenForWriting(const std::wstring& path, bool append) override;
  std::uint32_t LastError() override { return lastError_; }
  std::wstring ErrorText(std::uint32_t error) override;

 private:
  // Keeps GetLastError of a failed call, which later calls would overwrite.
  bool Result(bool ok);

  std::uint32_t lastError_ = 0;
};

class Win32Registry final : public Registry {
 public:
  bool KeyExists(RegistryRoot root, const std::wstring& subkey) override;
  bool CreateKey(RegistryRoot root, const std::wstring& subkey) override;
  std::optional<RegistryData> Read(RegistryRoot root, const std::wstring& subkey,
                                   const std::wstring& name) override;
  bool Write(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
             const RegistryData& data) override;
  bool DeleteValue(RegistryRoot root, const std::wstring& subkey,
                   const std::wstring& name) override;
  bool DeleteTree(RegistryRoot root, const std::wstring& subkey) override;
};

class Win32Environment final : public Environment {
 public:
  std::optional<std::wstring> Get(const std::wstring& name) override;
  std::vector<std::wstring> Block() override;
};

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
  void Sleep(std::uint32_t milliseconds) override;
};

class Win32Machine final : public Machine {
 public:
  std::wstring ComputerName() override;
  std::wstring UserName() override;
  std::wstring SystemMessage(std::uint32_t code) override;
  std::wstring ErrorObjectDescription() override;

 private:
  std::optional<std::wstring> computer_;
};

}  // namespace vendrel::platform
