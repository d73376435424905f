// The file system of Windows paths over the drive mapping, with Windows' failure rules.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>

#include "platform/FileSystem.h"
#include "platform/posix/DriveMap.h"

namespace vendrel::platform::posix {

class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(DriveMap drives) : drives_(std::move(drives)) {}

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
  bool Fail(std::uint32_t error);
  bool Fail(const std::error_code& ec);
  static std::optional<std::uint32_t> OpenFailure(const std::filesystem::path& native, int error);

  DriveMap drives_;
  std::uint32_t lastError_ = 0;
};

}  // namespace vendrel::platform::posix
