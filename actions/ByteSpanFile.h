// A read-only file over bytes that someone else keeps: a vault set's decoded text while it
// loads, an action's stored commands when they are decoded.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "actions/File.h"

namespace vendrel::actions {

class ByteSpanFile : public File {
 public:
  explicit ByteSpanFile(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Read(void* buffer, std::size_t n) override;
  // Writing and resizing fail with access denied: the bytes are not the file's.
  void Write(const void* data, std::size_t n) override;
  // The result must lie inside the data, else a bad-seek error.
  std::uint64_t Seek(std::int64_t offset, Origin origin) override;
  std::size_t Skip(std::size_t n) override;
  std::uint64_t GetLength() const override { return bytes_.size(); }
  void SetLength(std::uint64_t length) override;
  std::unique_ptr<File> Duplicate() const override;

  std::size_t Position() const { return position_; }
  const std::span<const std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace vendrel::actions
