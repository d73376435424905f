// The ANSI code page in effect: the system's on Windows, Windows-1252 on posix.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace vendrel::platform {

// Plain ASCII is the same in every ANSI code page and in wide characters.
template <class Char>
bool IsAscii(std::basic_string_view<Char> text) {
  // One pass the compiler turns into vector code, rather than stopping at the first.
  std::make_unsigned_t<Char> all = 0;
  for (const Char c : text) all |= static_cast<std::make_unsigned_t<Char>>(c);
  return all < 0x80;
}

std::wstring AnsiToWide(std::string_view bytes);
// Into `out`, replacing what it held; its memory is reused.
void AnsiToWide(std::string_view bytes, std::wstring& out);
// Appends `text` in the code page; characters the code page lacks become '?'.
void AppendAnsi(std::wstring_view text, std::string& out);

}  // namespace vendrel::platform
