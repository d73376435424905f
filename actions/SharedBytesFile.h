// A read-only file over bytes that others share: a vault set's decoded text, which its actions
// keep for their commands until something reaches them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "actions/File.h"

namespace vendrel::actions {

using SharedBytes = std::shared_ptr<const std::vector<std::uint8_t>>;

class SharedBytesFile : public File {
 public:
  explicit SharedBytesFile(SharedBytes bytes, std::size_t position = 0);

  std::size_t Read(void* buffer, std::size_t n) override;
  // Writing and resizing fail with access denied: the bytes belong to every reader.
  void Write(const void* data, std::size_t n) override;
  // The result must lie inside the data, else a bad-seek error.
  std::uint64_t Seek(std::int64_t offset, Origin origin) override;
  std::uint64_t GetLength() const override { return bytes_->size(); }
  void SetLength(std::uint64_t length) override;
  std::unique_ptr<File> Duplicate() const override;

  std::size_t Position() const { return position_; }
  const SharedBytes& Bytes() const { return bytes_; }

 private:
  SharedBytes bytes_;
  std::size_t position_;
};

}  // namespace vendrel::actions
