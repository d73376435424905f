// The ANSI code page in effect: the system's on Windows, Windows-1252 on posix.
#pragma once

#include <string>
#include <string_view>

namespace vendrel::platform {

std::wstring AnsiToWide(std::string_view bytes);

}  // namespace vendrel::platform
