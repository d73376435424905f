// ByteSpanFile: reading and seeking over bytes kept elsewhere.
#include "actions/ByteSpanFile.h"

#include <algorithm>
#include <cstring>

namespace vendrel::actions {

std::size_t ByteSpanFile::Read(void* buffer, std::size_t n) {
  if (position_ >= bytes_.size()) return 0;
  const std::size_t count = std::min(n, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

std::size_t ByteSpanFile::Skip(std::size_t n) {
  const std::size_t count = std::min(n, bytes_.size() - std::min(position_, bytes_.size()));
  position_ += count;
  return count;
}

void ByteSpanFile::Write(const void*, std::size_t) {
  Fail(FileError::Cause::kAccessDenied);
}

std::uint64_t ByteSpanFile::Seek(std::int64_t offset, Origin origin) {
  std::int64_t base = 0;
  if (origin == Origin::kCurrent) base = static_cast<std::int64_t>(position_);
  if (origin == Origin::kEnd) base = static_cast<std::int64_t>(bytes_.size());
  const std::int64_t length = static_cast<std::int64_t>(bytes_.size());
  if (offset < -length || offset > length) Fail(FileError::Cause::kBadSeek);
  const std::int64_t result = base + offset;
  if (result < 0 || result >= length) Fail(FileError::Cause::kBadSeek);
  position_ = static_cast<std::size_t>(result);
  return position_;
}

void ByteSpanFile::SetLength(std::uint64_t) {
  Fail(FileError::Cause::kAccessDenied);
}

std::unique_ptr<File> ByteSpanFile::Duplicate() const {
  auto copy = std::make_unique<ByteSpanFile>(bytes_);
  copy->position_ = position_;
  copy->SetFilePath(FilePath());
  return copy;
}

}  // namespace vendrel::actions
