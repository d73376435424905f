// Card values typed by an administrator, converted to the type of their card variable.
#pragma once

#include <cstdint>
#include <string>

#include "host/Status.h"
#include "host/Value.h"

namespace vendrel::commands {

// Card variable types: 1 text, 2 integer, 3 floating point, 4 yes/no, 5 date.
inline constexpr std::int32_t kFirstCardType = 1;
inline constexpr std::int32_t kLastCardType = 5;

// `text` as the variant of card type `type` (text, 32-bit integer, single-precision floating
// point, boolean, date) by the system's conversion rules. kTypeMismatch for a text that is no
// such value, the system's overflow code, kInvalidType for a type outside 1 to 5.
host::HResult ConvertCardValue(const std::wstring& text, std::int32_t type, host::Value& value);

}  // namespace vendrel::commands
