// UTF-8 decoding; wide text is UTF-16 where wchar_t has 16 bits and UTF-32 elsewhere.
#include "platform/Utf8.h"

#include <cstdint>

namespace vendrel::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWide16 = sizeof(wchar_t) == 2;

void AppendWide(std::wstring& out, char32_t c) {
  if (kWide16 && c >= 0x10000) {
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

}  // namespace

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07, min = 0x10000;
    } else {
      AppendWide(out, kReplacement);
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    for (; j <= i + extra; ++j) {
      if (j >= text.size() || (static_cast<std::uint8_t>(text[j]) & 0xC0) != 0x80) break;
      c = (c << 6) | (static_cast<std::uint8_t>(text[j]) & 0x3F);
    }
    if (j != i + extra + 1 || c < min || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
      AppendWide(out, kReplacement);
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    AppendWide(out, c);
    i = j;
  }
  return out;
}

}  // namespace vendrel::platform
