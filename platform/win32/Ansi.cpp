// The system's ANSI code page.
#include "platform/Ansi.h"

#include <windows.h>

namespace vendrel::platform {

std::wstring AnsiToWide(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), n);
  return out;
}

}  // namespace vendrel::platform
