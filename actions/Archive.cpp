// Byte layout of archive values.
#include "actions/Archive.h"

#include <algorithm>
#include <limits>

#include "platform/Ansi.h"
#include "platform/Utf16.h"

namespace vendrel::actions {
namespace {

const char* Describe(ArchiveError::Cause cause) {
  switch (cause) {
    case ArchiveError::Cause::kEndOfFile:
      return "archive: unexpected end of data";
    case ArchiveError::Cause::kBadIndex:
      return "archive: bad index";
    case ArchiveError::Cause::kBadLength:
      return "archive: bad length";
  }
  return "archive error";
}

// Texts are read in slices so a damaged length costs no more memory than the data holds.
constexpr std::size_t kSlice = 64 * 1024;

}  // namespace

ArchiveError::ArchiveError(Cause cause) : std::runtime_error(Describe(cause)), cause_(cause) {}

void Archive::ReadExact(void* buffer, std::size_t n) {
  if (file_.Read(buffer, n) != n) throw ArchiveError(ArchiveError::Cause::kEndOfFile);
}

std::uint8_t Archive::ReadByte() {
  std::uint8_t b = 0;
  ReadExact(&b, 1);
  return b;
}

std::uint16_t Archive::ReadUInt16() {
  std::uint8_t b[2];
  ReadExact(b, sizeof b);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t Archive::ReadUInt32() {
  std::uint8_t b[4];
  ReadExact(b, sizeof b);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint64_t Archive::ReadUInt64() {
  const std::uint64_t low = ReadUInt32();
  return low | (static_cast<std::uint64_t>(ReadUInt32()) << 32);
}

void Archive::WriteInt32(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                             static_cast<std::uint8_t>(v >> 16),
                             static_cast<std::uint8_t>(v >> 24)};
  WriteBytes(b, sizeof b);
}

std::int32_t Archive::ReadInt32() {
  return static_cast<std::int32_t>(ReadUInt32());
}

void Archive::WriteBool(bool value) {
  WriteInt32(value ? 1 : 0);
}

bool Archive::ReadBool() {
  return ReadInt32() == 1;
}

void Archive::WriteText(const std::wstring& text) {
  const std::u16string units = platform::ToUtf16(text);
  const std::uint64_t length = units.size();
  std::vector<std::uint8_t> out = {0xFF, 0xFE, 0xFF};
  auto put16 = [&](std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto put32 = [&](std::uint32_t v) {
    put16(static_cast<std::uint16_t>(v));
    put16(static_cast<std::uint16_t>(v >> 16));
  };
  if (length < 0xFF) {
    out.push_back(static_cast<std::uint8_t>(length));
  } else if (length < 0xFFFE) {
    out.push_back(0xFF);
    put16(static_cast<std::uint16_t>(length));
  } else if (length < 0xFFFFFFFF) {
    out.push_back(0xFF);
    put16(0xFFFF);
    put32(static_cast<std::uint32_t>(length));
  } else {
    out.push_back(0xFF);
    put16(0xFFFF);
    put32(0xFFFFFFFF);
    put32(static_cast<std::uint32_t>(length));
    put32(static_cast<std::uint32_t>(length >> 32));
  }
  for (char16_t u : units) put16(static_cast<std::uint16_t>(u));
  WriteBytes(out.data(), out.size());
}

std::uint64_t Archive::ReadWideLength(std::uint16_t first16) {
  if (first16 < 0xFFFF) return first16;
  const std::uint32_t l32 = ReadUInt32();
  if (l32 < 0xFFFFFFFF) return l32;
  return ReadUInt64();
}

std::wstring Archive::ReadWide(std::uint64_t count) {
  if (count > std::numeric_limits<std::size_t>::max() / 4) {
    throw ArchiveError(ArchiveError::Cause::kBadLength);
  }
  std::wstring text;
  bool surrogates = false;
  std::uint8_t slice[kSlice];
  for (std::uint64_t left = count; left > 0;) {
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, kSlice / 2));
    ReadExact(slice, take * 2);
    const std::size_t at = text.size();
    text.resize(at + take);
    for (std::size_t i = 0; i < take; ++i) {
      const auto unit = static_cast<char16_t>(slice[2 * i] | (slice[2 * i + 1] << 8));
      surrogates |= (unit & 0xF800) == 0xD800;
      text[at + i] = static_cast<wchar_t>(unit);
    }
    left -= take;
  }
  // Where wchar_t is wider than 16 bits a surrogate pair makes one character.
  if (sizeof(wchar_t) > 2 && surrogates) {
    return platform::FromUtf16(std::u16string(text.begin(), text.end()));
  }
  return text;
}

std::string Archive::ReadBytes(std::uint64_t count) {
  if (count > std::numeric_limits<std::size_t>::max() / 4) {
    throw ArchiveError(ArchiveError::Cause::kBadLength);
  }
  std::string bytes;
  char slice[kSlice];
  for (std::uint64_t left = count; left > 0;) {
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, kSlice));
    ReadExact(slice, take);
    bytes.append(slice, take);
    left -= take;
  }
  return bytes;
}

void Archive::Skip(std::uint64_t count, std::size_t unitSize) {
  if (count > std::numeric_limits<std::size_t>::max() / 4) {
    throw ArchiveError(ArchiveError::Cause::kBadLength);
  }
  const std::size_t n = static_cast<std::size_t>(count) * unitSize;
  if (file_.Skip(n) != n) throw ArchiveError(ArchiveError::Cause::kEndOfFile);
}

std::wstring Archive::ReadText() {
  std::uint64_t length = ReadByte();
  bool wide = false;
  if (length == 0xFF) {
    const std::uint16_t w = ReadUInt16();
    wide = w == 0xFFFE;
    if (wide) {
      const std::uint8_t b2 = ReadByte();
      length = b2 < 0xFF ? b2 : ReadWideLength(ReadUInt16());
    } else {
      length = ReadWideLength(w);
    }
  }
  if (skimming_) {
    Skip(length, wide ? 2 : 1);
    return {};
  }
  return wide ? ReadWide(length) : platform::AnsiToWide(ReadBytes(length));
}

void Archive::Int32(std::int32_t& value) {
  if (IsStoring()) {
    WriteInt32(value);
  } else {
    value = ReadInt32();
  }
}

void Archive::Bool(bool& value) {
  if (IsStoring()) {
    WriteBool(value);
  } else {
    value = ReadBool();
  }
}

void Archive::Text(std::wstring& text) {
  if (IsStoring()) {
    WriteText(text);
  } else {
    text = ReadText();
  }
}

void Archive::TextList(std::vector<std::wstring>& texts) {
  if (IsStoring()) {
    WriteInt32(static_cast<std::int32_t>(texts.size()));
    for (const std::wstring& t : texts) WriteText(t);
    return;
  }
  texts.clear();
  const std::int32_t count = ReadInt32();
  for (std::int32_t i = 0; i < count; ++i) texts.push_back(ReadText());
}

}  // namespace vendrel::actions
