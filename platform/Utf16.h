// Conversions between std::wstring and UTF-16 code units, whatever the width of wchar_t.
#pragma once

#include <string>
#include <string_view>

namespace vendrel::platform {

// Unpaired surrogates pass through unchanged, so any UTF-16 sequence round-trips.
inline std::u16string ToUtf16(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const auto cp = static_cast<char32_t>(c);
    if constexpr (sizeof(wchar_t) == 4) {
      if (cp > 0xFFFF) {
        const char32_t v = cp - 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        continue;
      }
    }
    out.push_back(static_cast<char16_t>(cp));
  }
  return out;
}

inline std::wstring FromUtf16(std::u16string_view units) {
  std::wstring out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if constexpr (sizeof(wchar_t) == 4) {
      if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
          units[i + 1] < 0xE000) {
        const char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                            (static_cast<char32_t>(units[i + 1]) - 0xDC00);
        out.push_back(static_cast<wchar_t>(cp));
        ++i;
        continue;
      }
    }
    out.push_back(static_cast<wchar_t>(u));
  }
  return out;
}

}  // namespace vendrel::platform
