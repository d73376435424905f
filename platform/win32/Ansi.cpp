// The system's ANSI code page.
#include "platform/Ansi.h"

#include <windows.h>

namespace vendrel::platform {

std::wstring AnsiToWide(std::string_view bytes) {
  std::wstring out;
  AnsiToWide(bytes, out);
  return out;
}

void AnsiToWide(std::string_view bytes, std::wstring& out) {
  out.clear();
  if (bytes.empty()) return;
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  out.resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), n);
}

void AppendAnsi(std::wstring_view text, std::string& out) {
  // Most lines are plain ASCII.
  if (IsAscii(text)) {
    out.append(text.begin(), text.end());
    return;
  }
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(n));
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data() + start, n, nullptr, nullptr);
}

}  // namespace vendrel::platform
