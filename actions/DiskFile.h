// A file on disk, for action files, named by its Windows path; its errors name the file.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "actions/File.h"
#include "platform/Replacement.h"

namespace vendrel::actions {

class DiskFile : public File {
 public:
  enum class Mode {
    kRead,       // an existing file, read only
    kReadWrite,  // an existing file
    // Written, read and written again as a new file; it takes the old one's place at Close,
    // and a file dropped before that leaves the old one as it was.
    kReplace,
  };

  // Throws FileError when the file cannot be opened.
  DiskFile(const std::wstring& path, Mode mode);

  std::size_t Read(void* buffer, std::size_t n) override;
  void Write(const void* data, std::size_t n) override;
  // Seeking past the end is allowed, before the start is a bad-seek error.
  std::uint64_t Seek(std::int64_t offset, Origin origin) override;
  std::uint64_t GetLength() const override;
  void SetLength(std::uint64_t length) override;
  // The same file opened again (never truncated) at the same position.
  std::unique_ptr<File> Duplicate() const override;
  // Writes out what is buffered, and puts a replacement in place; a failure is reported here
  // rather than lost in the destructor.
  void Close();

 private:
  std::uint64_t Tell() const;

  Mode mode_;
  std::optional<platform::Replacement> replacement_;  // outlives the stream writing it
  std::filesystem::path native_;                      // the file the stream has open
  mutable std::fstream stream_;
};

}  // namespace vendrel::actions
