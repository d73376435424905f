// A file of bytes read and written at given offsets, and shared with other processes: whoever
// appends holds a lock of its own meanwhile. Failures throw std::system_error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace vendrel::platform {

class DataFile {
 public:
  // Opens the file, made empty when missing.
  explicit DataFile(const std::filesystem::path& path);
  // A file without a name in the temporary folder, gone when closed.
  static DataFile Temporary();
  ~DataFile();
  DataFile(DataFile&& other) noexcept;
  DataFile& operator=(DataFile&&) = delete;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  std::uint64_t Size() const;
  void WriteAt(std::uint64_t offset, const std::uint8_t* bytes, std::size_t size);
  // Reads all `size` bytes; a file that ends before them is damaged and throws.
  void ReadAt(std::uint64_t offset, std::uint8_t* bytes, std::size_t size) const;
  // Returns once what was written is on the disk.
  void Sync();

 private:
  using Handle = std::intptr_t;
  explicit DataFile(Handle handle) : handle_(handle) {}

  Handle handle_;
};

}  // namespace vendrel::platform
