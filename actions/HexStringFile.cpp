// HexStringFile: growth rules, seeking and the hexadecimal conversions.
#include "actions/HexStringFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>

namespace vendrel::actions {
namespace {

constexpr std::uint32_t kGrowBy = 1024;
constexpr std::uint64_t kMaxSize = std::numeric_limits<std::uint32_t>::max();

constexpr std::array<std::int8_t, 128> kDigitValues = [] {
  std::array<std::int8_t, 128> values{};
  values.fill(-1);
  for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<std::int8_t>(i);
  for (int i = 0; i < 6; ++i) {
    values['A' + i] = static_cast<std::int8_t>(10 + i);
    values['a' + i] = static_cast<std::int8_t>(10 + i);
  }
  return values;
}();

// The capacity that growing in steps of kGrowBy reaches for `size` bytes.
std::uint64_t RoundedUp(std::uint64_t size) {
  return (size + kGrowBy - 1) / kGrowBy * kGrowBy;
}

int DigitValue(wchar_t c) {
  const auto code = static_cast<std::uint32_t>(c);
  return code < kDigitValues.size() ? kDigitValues[code] : -1;
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

std::vector<std::uint8_t> HexStringFile::TakeBytes() {
  bytes_.resize(length_);
  std::vector<std::uint8_t> bytes = std::move(bytes_);
  Clear();
  return bytes;
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
  TextDecoder decoder(*this);
  if (!text) return false;
  decoder.Add(*text, 0);
  return decoder.Finish();
}

HexStringFile::TextDecoder::TextDecoder(HexStringFile& file) : file_(file) {
  file_.Clear();
}

bool HexStringFile::TextDecoder::Add(std::wstring_view piece, std::size_t left) {
  if (failed_) return false;
  HexStringFile& f = file_;
  const std::uint64_t expected =
      std::uint64_t{f.length_} + (std::uint64_t{piece.size()} + left) / 2;
  if (expected <= kMaxSize && expected > f.bytes_.capacity()) {
    try {
      f.bytes_.reserve(RoundedUp(expected));
    } catch (const std::bad_alloc&) {
      // Only a hint: growing piece by piece decides.
    }
  }
  // Room for every byte the piece may spell, in one step; past the size limit this reports the
  // full disk, as growing byte by byte would on reaching it.
  f.Reserve(RoundedUp(std::uint64_t{f.length_} + (piece.size() + 1) / 2));
  std::uint8_t* out = f.bytes_.data() + f.position_;
  const wchar_t* in = piece.data();
  const wchar_t* const end = in + piece.size();
  bool good = true;
  if (high_ >= 0 && in != end) {
    const int low = DigitValue(*in++);
    good = low >= 0;
    if (good) *out++ = static_cast<std::uint8_t>(high_ * 16 + low);
    high_ = -1;
  }
  // Eight pairs at a time, checked once; a chunk holding a bad digit is done again pair by pair
  // below, which stops at that pair.
  constexpr std::ptrdiff_t kChunk = 8;
  while (good && end - in >= 2 * kChunk) {
    std::uint32_t codes = 0;
    for (std::ptrdiff_t i = 0; i < 2 * kChunk; ++i) codes |= static_cast<std::uint32_t>(in[i]);
    if (codes >= kDigitValues.size()) break;
    int digits = 0;
    for (std::ptrdiff_t i = 0; i < kChunk; ++i) {
      const int high = kDigitValues[static_cast<std::size_t>(in[2 * i])];
      const int low = kDigitValues[static_cast<std::size_t>(in[2 * i + 1])];
      digits |= high | low;
      out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    if (digits < 0) {
      // What lies past the length stays as growing left it.
      std::fill(out, out + kChunk, std::uint8_t{0});
      break;
    }
    in += 2 * kChunk;
    out += kChunk;
  }
  for (; good && end - in >= 2; in += 2) {
    const int high = DigitValue(in[0]);
    const int low = DigitValue(in[1]);
    good = (high | low) >= 0;
    if (good) *out++ = static_cast<std::uint8_t>(high * 16 + low);
  }
  // A bad digit alone at the end fails now rather than with the next piece; the bytes before it
  // are the same either way.
  if (good && in != end) {
    high_ = DigitValue(*in);
    good = high_ >= 0;
  }
  f.position_ = f.length_ = static_cast<std::uint32_t>(out - f.bytes_.data());
  f.capacity_ = static_cast<std::uint32_t>(RoundedUp(f.length_));
  f.bytes_.resize(f.capacity_);
  failed_ = !good;
  return good;
}

bool HexStringFile::TextDecoder::Finish() {
  if (failed_ || high_ >= 0) return false;
  file_.position_ = 0;
  return true;
}

}  // namespace vendrel::actions
