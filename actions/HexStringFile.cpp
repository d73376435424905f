// HexStringFile: growth rules, seeking and the hexadecimal conversions.
#include "actions/HexStringFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace vendrel::actions {
namespace {

constexpr std::uint32_t kGrowBy = 1024;
constexpr std::uint64_t kMaxSize = std::numeric_limits<std::uint32_t>::max();

int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

}  // namespace

HexStringFile::HexStringFile(const HexStringFile& other)
    : openFlags_(other.openFlags_),
      bytes_(other.bytes_),
      length_(other.length_),
      position_(other.position_),
      capacity_(other.capacity_) {
  SetFilePath(other.FilePath());
}

void HexStringFile::Open(const std::wstring& name, std::uint32_t flags) {
  SetFilePath(name);
  openFlags_ = flags;
}

void HexStringFile::Reserve(std::uint64_t capacity) {
  if (capacity > kMaxSize) Fail(FileError::Cause::kDiskFull);
  try {
    bytes_.resize(capacity);
  } catch (const std::bad_alloc&) {
    Fail(FileError::Cause::kDiskFull);
  }
  capacity_ = static_cast<std::uint32_t>(capacity);
}

std::size_t HexStringFile::Read(void* buffer, std::size_t n) {
  if (position_ >= length_) return 0;
  const std::size_t count = std::min<std::size_t>(n, length_ - position_);
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += static_cast<std::uint32_t>(count);
  return count;
}

void HexStringFile::Write(const void* data, std::size_t n) {
  if (n == 0) return;
  const std::uint64_t end = std::uint64_t{position_} + n;
  if (end > kMaxSize) Fail(FileError::Cause::kDiskFull);
  if (end > capacity_) Reserve(std::uint64_t{capacity_} + kGrowBy + n);
  std::memcpy(bytes_.data() + position_, data, n);
  position_ = static_cast<std::uint32_t>(end);
  length_ = std::max(length_, position_);
}

std::uint64_t HexStringFile::Seek(std::int64_t offset, Origin origin) {
  std::int64_t base = 0;
  if (origin == Origin::kCurrent) base = position_;
  if (origin == Origin::kEnd) base = length_;
  // Offsets beyond the 32-bit range cannot land inside the data.
  if (offset > std::int64_t{kMaxSize} || offset < -std::int64_t{kMaxSize}) {
    Fail(FileError::Cause::kBadSeek);
  }
  const std::int64_t result = base + offset;
  if (result < 0 || result >= std::int64_t{length_}) Fail(FileError::Cause::kBadSeek);
  position_ = static_cast<std::uint32_t>(result);
  return position_;
}

void HexStringFile::SetLength(std::uint64_t length) {
  if (length > kMaxSize) Fail(FileError::Cause::kDiskFull);
  if (length > capacity_) Reserve(length);
  length_ = static_cast<std::uint32_t>(length);
}

std::unique_ptr<File> HexStringFile::Duplicate() const {
  return std::make_unique<HexStringFile>(*this);
}

void HexStringFile::Clear() {
  bytes_ = {};
  length_ = 0;
  position_ = 0;
  capacity_ = 0;
}

std::wstring HexStringFile::ToText() const {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  text.reserve(std::size_t{length_} * 2);
  for (std::uint32_t i = 0; i < length_; ++i) {
    text.push_back(kDigits[bytes_[i] >> 4]);
    text.push_back(kDigits[bytes_[i] & 0xF]);
  }
  return text;
}

bool HexStringFile::FromText(std::optional<std::wstring_view> text) {
  Clear();
  if (!text) return false;
  for (std::size_t i = 0; i < text->size(); i += 2) {
    if (i + 1 == text->size()) return false;
    const int high = DigitValue((*text)[i]);
    const int low = DigitValue((*text)[i + 1]);
    if (high < 0 || low < 0) return false;
    if (position_ == capacity_) Reserve(std::uint64_t{capacity_} + kGrowBy);
    bytes_[position_++] = static_cast<std::uint8_t>(high * 16 + low);
    length_ = position_;
  }
  position_ = 0;
  return true;
}

}  // namespace vendrel::actions
