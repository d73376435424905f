// Windows-1252, the ANSI code page the posix build stands in for.
#include "platform/Ansi.h"

#include <algorithm>
#include <iterator>

namespace vendrel::platform {
namespace {

// 0x80 to 0x9F; the five holes of the code page map to themselves, as the system does.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t Wide(char c) {
  const auto b = static_cast<unsigned char>(c);
  return static_cast<wchar_t>(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b);
}

char Narrow(wchar_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  const auto* high = std::find(std::begin(kHigh), std::end(kHigh), static_cast<char16_t>(c));
  if (c <= 0xFFFF && high != std::end(kHigh))
    return static_cast<char>(0x80 + (high - std::begin(kHigh)));
  return '?';
}

}  // namespace

std::wstring AnsiToWide(std::string_view bytes) {
  std::wstring out;
  AnsiToWide(bytes, out);
  return out;
}

// Template lines are mostly ASCII, which maps to itself both ways.
void AnsiToWide(std::string_view bytes, std::wstring& out) {
  out.resize(bytes.size());
  wchar_t* to = out.data();
  for (const char c : bytes) *to++ = static_cast<unsigned char>(c) < 0x80 ? c : Wide(c);
}

void AppendAnsi(std::wstring_view text, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + text.size());
  char* to = out.data() + start;
  if (IsAscii(text)) {
    for (std::size_t i = 0; i < text.size(); ++i) to[i] = static_cast<char>(text[i]);
    return;
  }
  for (const wchar_t c : text) *to++ = c < 0x80 ? static_cast<char>(c) : Narrow(c);
}

}  // namespace vendrel::platform
