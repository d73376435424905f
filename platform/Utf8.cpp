// UTF-8 decoding; wide text is UTF-16 where wchar_t has 16 bits and UTF-32 elsewhere.
#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>

namespace vendrel::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWide16 = sizeof(wchar_t) == 2;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

wchar_t* PutWide(wchar_t* out, char32_t c) {
  if (kWide16 && c >= 0x10000) {
    c -= 0x10000;
    *out++ = static_cast<wchar_t>(0xD800 + (c >> 10));
    *out++ = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  } else {
    *out++ = static_cast<wchar_t>(c);
  }
  return out;
}

}  // namespace

std::size_t AppendUtf8(std::wstring& out, std::string_view text, bool more) {
  // No sequence gives more units than it has bytes, so one allocation does, trimmed at the end.
  const std::size_t start = out.size();
  out.resize(start + text.size());
  wchar_t* to = out.data() + start;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    // Plain ASCII, by far the most common text, goes eight bytes at a time.
    std::uint64_t eight = 0;
    while (size - i >= 8 && (std::memcpy(&eight, bytes + i, 8), (eight & kHighBits) == 0)) {
      for (std::size_t k = 0; k < 8; ++k) to[k] = static_cast<wchar_t>(bytes[i + k]);
      to += 8;
      i += 8;
    }
    if (i == size) break;
    const std::uint8_t lead = bytes[i];
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      *to++ = static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07, min = 0x10000;
    } else {
      to = PutWide(to, kReplacement);
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    for (; j <= i + extra; ++j) {
      if (j >= size || (bytes[j] & 0xC0) != 0x80) break;
      c = (c << 6) | (bytes[j] & 0x3F);
    }
    if (more && j >= size && j <= i + extra) break;
    if (j != i + extra + 1 || c < min || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
      to = PutWide(to, kReplacement);
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    to = PutWide(to, c);
    i = j;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return i;
}

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  AppendUtf8(out, text, false);
  return out;
}

}  // namespace vendrel::platform
