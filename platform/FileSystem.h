// Files and folders by Windows path. On posix drive paths map onto folders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vendrel::platform {

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
  // The system error of the last failed call above, and its text (empty when there is none).
  virtual std::uint32_t LastError() = 0;
  virtual std::wstring ErrorText(std::uint32_t error) = 0;
};

inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

}  // namespace vendrel::platform
