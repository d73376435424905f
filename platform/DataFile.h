// A file of bytes read and written at given offsets, and shared with other processes: whoever
// appends holds a lock of its own meanwhile. Failures throw std::system_error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace vendrel::platform {

class DataFile {
 public:
  // Opens the file, made empty when missing.
  explicit DataFile(const std::filesystem::path& path);
  // A file without a name in the temporary folder, gone when closed.
  static DataFile Temporary();
  // An existing file for reading; empty, with the system's error set, when it cannot be opened.
  static std::optional<DataFile> OpenToRead(const std::filesystem::path& path);
  // A file created, or emptied when it exists, for writing; empty, with the system's error set,
  // when it cannot be opened.
  static std::optional<DataFile> OpenToReplace(const std::filesystem::path& path);
  ~DataFile();
  DataFile(DataFile&& other) noexcept;
  DataFile& operator=(DataFile&&) = delete;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  std::uint64_t Size() const;
  void WriteAt(std::uint64_t offset, const std::uint8_t* bytes, std::size_t size);
  // Reads all `size` bytes; a file that ends before them is damaged and throws.
  void ReadAt(std::uint64_t offset, std::uint8_t* bytes, std::size_t size) const;
  // Copies `size` bytes from `offset` to `at` in `target`, in the kernel where the system can;
  // fewer when this file ends before them. The count copied.
  std::uint64_t CopyTo(std::uint64_t offset, std::uint64_t size, DataFile& target,
                       std::uint64_t at) const;
  // Returns once what was written is on the disk.
  void Sync();
  // Drops the bytes from `size` on.
  void Truncate(std::uint64_t size);

 private:
  using Handle = std::intptr_t;
  explicit DataFile(Handle handle) : handle_(handle) {}

  Handle handle_;
};

}  // namespace vendrel::platform
