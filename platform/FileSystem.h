// Files and folders by Windows path. On posix drive paths map onto folders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vendrel::platform {

// An open file, read from its start. Failures keep the system error that caused them.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to `size` bytes into `buffer`; `count` is 0 at the end of the file. False on a failure.
  virtual bool Read(char* buffer, std::size_t size, std::size_t& count) = 0;
  virtual std::uint32_t Error() const = 0;
};

// An open file, written at its end; closed when destroyed.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  virtual bool Write(const char* bytes, std::size_t size) = 0;
  virtual std::uint32_t Error() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Attributes of the path, or empty when it does not exist (INVALID_FILE_ATTRIBUTES).
  virtual std::optional<std::uint32_t> Attributes(const std::wstring& path) = 0;
  // Whether a search finds any entry: the last part of `pattern` may hold the wildcards * and ?
  // (case ignored, as the Windows file search matches).
  virtual bool AnyMatch(const std::wstring& pattern) = 0;
  virtual bool CopyFile(const std::wstring& from, const std::wstring& to, bool failIfExists) = 0;
  virtual bool MoveFile(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool DeleteFile(const std::wstring& path) = 0;
  virtual bool MakeWritable(const std::wstring& path) = 0;
  virtual bool CreateDirectory(const std::wstring& path) = 0;
  virtual std::wstring CurrentDirectory() = 0;
  // Null when the file cannot be opened; LastError tells why.
  virtual std::unique_ptr<FileReader> OpenForReading(const std::wstring& path) = 0;
  // Creates the file when it is missing and empties it unless `append`. Null on a failure.
  virtual std::unique_ptr<FileWriter> OpenForWriting(const std::wstring& path, bool append) = 0;
  // The system error of the last failed call above, and its text (empty when there is none).
  virtual std::uint32_t LastError() = 0;
  virtual std::wstring ErrorText(std::uint32_t error) = 0;
};

inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

}  // namespace vendrel::platform
