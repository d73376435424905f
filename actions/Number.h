// Numbers inside texts, read the way the C library's wide-string-to-integer conversion reads them.
#pragma once

#include <cstdint>
#include <string_view>

namespace vendrel::actions {

// Leading white space, an optional sign and decimal digits; anything else ends the number, no
// digits read as 0, and the result is clamped to 32 bits. `end`, when given, receives where the
// digits end: 0 when there are none.
std::int32_t ReadNumber(std::wstring_view text, std::size_t* end = nullptr);

}  // namespace vendrel::actions
