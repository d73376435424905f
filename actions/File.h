// The file abstraction archives work on: a named byte file with a position, and its errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace vendrel::actions {

// A failed file operation. Its message names the file, so callers can show it as it is.
class FileError : public std::runtime_error {
 public:
  enum class Cause {
    kGeneric,
    kFileNotFound,
    kAccessDenied,
    kBadSeek,
    kHardIo,
    kDiskFull,
  };
  FileError(Cause cause, std::wstring fileName);

  Cause cause() const { return cause_; }
  const std::wstring& FileName() const { return fileName_; }
  // The text shown to the user, e.g. "A seek error occurred while accessing a.acn.".
  const std::wstring& Message() const { return message_; }
  // The Windows error code the cause stands for, whose system text an open failure shows.
  std::uint32_t SystemError() const;

 private:
  Cause cause_;
  std::wstring fileName_;
  std::wstring message_;
};

class File {
 public:
  enum class Origin { kBegin = 0, kCurrent = 1, kEnd = 2 };

  virtual ~File() = default;

  const std::wstring& FilePath() const { return path_; }
  void SetFilePath(const std::wstring& path) { path_ = path; }

  // Returns how many bytes were read; fewer than n only at the end of the data.
  virtual std::size_t Read(void* buffer, std::size_t n) = 0;
  virtual void Write(const void* data, std::size_t n) = 0;
  // Returns the new position.
  virtual std::uint64_t Seek(std::int64_t offset, Origin origin) = 0;
  // Moves past n bytes without handing them out; fewer than n only at the end of the data. Files
  // held in memory only move their position.
  virtual std::size_t Skip(std::size_t n);
  virtual std::uint64_t GetLength() const = 0;
  virtual void SetLength(std::uint64_t length) = 0;
  // A second, independent file with the same name, contents and position.
  virtual std::unique_ptr<File> Duplicate() const = 0;

 protected:
  [[noreturn]] void Fail(FileError::Cause cause) const { throw FileError(cause, path_); }

 private:
  std::wstring path_;
};

}  // namespace vendrel::actions
