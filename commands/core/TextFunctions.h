// The text function step of variable expansion: LEFT, RIGHT, MID, LEN, LENGTH, REVERSE, FIND,
// REVERSEFIND, ADD, SUB and CURRENTTIME, written like a call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/System.h"

namespace vendrel::commands {

// Applies the function named before the first "(" of `text`. The name is found case-insensitively
// and may follow other text, which stays in front of the result; everything from the name to the
// end of the text becomes the result. A text without a known name, or whose separators are missing
// or misplaced, comes back unchanged. `clock` serves CURRENTTIME; without one it gives "".
std::wstring ApplyTextFunction(std::wstring text, platform::Clock* clock);

// `format` in the C library's wide time formatting over `time`, at most 255 characters. Only the
// conversions every C library knows are passed on (a b c d H I j m M p S U w W x X y Y Z and %%);
// a format with any other gives "" on both builds, because the Windows library aborts on them.
std::wstring FormatTime(const std::wstring& format, const platform::LocalTime& time);

}  // namespace vendrel::commands
