// Host values as text: variants, automation dates, and the fixed timestamp of the time variables.
#pragma once

#include <optional>
#include <string>

#include "host/Value.h"

namespace vendrel::commands {

// A point in time split into calendar fields.
struct CivilTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The calendar fields of an automation date, rounded to the second; empty outside the range
// automation dates can hold (years 100 to 9999).
std::optional<CivilTime> ToCivil(host::Date date);

// A date as the system's date-to-text conversion gives it for the neutral locale: "M/D/YYYY",
// then " h:mm:ss AM" or " PM"; only the time when the day part is 0, only the date when the time
// part is 0. Empty when the date is out of range.
std::optional<std::wstring> DateToText(host::Date date);

// "YYYYMMDD hh:mm:ss", the form of the creation and modification time variables.
std::optional<std::wstring> Timestamp(host::Date date);

// A card value as text: empty for an empty value, decimal integers, doubles with six significant
// digits, dates by DateToText ("Could not convert date type" when that fails), strings as they are.
std::wstring ValueToText(const host::Value& value);

}  // namespace vendrel::commands
