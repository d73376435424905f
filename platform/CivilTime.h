// Automation dates (days since 1899-12-30, the fraction the time of day) and calendar fields.
#pragma once

#include <optional>
#include <string>

namespace vendrel::platform {

struct CivilTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The calendar fields of an automation date, rounded to the second; empty outside the range
// automation dates can hold (years 100 to 9999).
std::optional<CivilTime> ToCivil(double serial);
// The automation date of calendar fields; empty for a day the month lacks or a field out of range.
std::optional<double> FromCivil(const CivilTime& time);
// "YYYY-MM-DD hh:mm:ss", the form logs and listings show.
std::wstring FormatCivil(const CivilTime& time);

}  // namespace vendrel::platform
