// Host values as text: card values and the fixed timestamp of the time variables.
#pragma once

#include <optional>
#include <string>

#include "host/Value.h"

namespace vendrel::commands {

// "YYYYMMDD hh:mm:ss", the form of the creation and modification time variables.
std::optional<std::wstring> Timestamp(host::Date date);

// A card value as text: empty for an empty value, decimal integers, doubles with six significant
// digits, dates as the system writes them ("Could not convert date type" when it cannot),
// strings as they are, and "Unknown format" for every other kind.
std::wstring ValueToText(const host::Value& value);

}  // namespace vendrel::commands
