// Card values typed by an administrator, converted to the type of their card variable.
#pragma once

#include <cstdint>
#include <string>

#include "host/Status.h"
#include "host/Value.h"

namespace vendrel::commands {

// `text` as the variant of card type `type` (text, 32-bit integer, single-precision floating
// point, boolean, date) by the system's conversion rules. kTypeMismatch for a text that is no
// such value, the system's overflow code, kInvalidType for a number that is no host::CardType.
host::HResult ConvertCardValue(const std::wstring& text, std::int32_t type, host::Value& value);

}  // namespace vendrel::commands
