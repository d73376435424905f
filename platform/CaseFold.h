// Texts compared regardless of case, folded one character at a time as the C library maps them.
#pragma once

#include <cwctype>
#include <string>
#include <string_view>

namespace vendrel::platform {

inline wchar_t LowerCase(wchar_t c) {
  return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

inline wchar_t UpperCase(wchar_t c) {
  return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}

// Lower and upper folding order some characters differently (the underscore lies between the
// two alphabets), so each caller keeps the one its sorting or matching was written for.
inline std::wstring LowerCase(std::wstring text) {
  for (wchar_t& c : text) c = LowerCase(c);
  return text;
}

inline std::wstring UpperCase(std::wstring text) {
  for (wchar_t& c : text) c = UpperCase(c);
  return text;
}

inline bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerCase(a[i]) != LowerCase(b[i])) return false;
  }
  return true;
}

inline bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && SameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace vendrel::platform
