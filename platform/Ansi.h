// The ANSI code page in effect: the system's on Windows, Windows-1252 on posix.
#pragma once

#include <string>
#include <string_view>

namespace vendrel::platform {

std::wstring AnsiToWide(std::string_view bytes);
// Into `out`, replacing what it held; its memory is reused.
void AnsiToWide(std::string_view bytes, std::wstring& out);
// Appends `text` in the code page; characters the code page lacks become '?'.
void AppendAnsi(std::wstring_view text, std::string& out);

}  // namespace vendrel::platform
