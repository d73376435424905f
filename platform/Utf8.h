// UTF-8 from and to std::wstring, whatever the width of wchar_t.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/Utf16.h"

namespace vendrel::platform {

// Unpaired surrogates are written as three-byte sequences of their own value, so nothing is lost.
inline std::string ToUtf8(std::wstring_view text) {
  // Plain ASCII, by far the most common text, is copied as it is.
  if (std::all_of(text.begin(), text.end(),
                  [](wchar_t c) { return static_cast<std::make_unsigned_t<wchar_t>>(c) < 0x80; })) {
    return std::string(text.begin(), text.end());
  }
  const std::u16string units = ToUtf16(text);
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t cp = units[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

// Invalid sequences become U+FFFD.
std::wstring FromUtf8(std::string_view text);
// FromUtf8 onto the end of `out`; the count of bytes used. With `more`, the text goes on in a
// later piece: a sequence cut at the end is left for it.
std::size_t AppendUtf8(std::wstring& out, std::string_view text, bool more);

}  // namespace vendrel::platform
