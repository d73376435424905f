// Conversions of host values and automation dates to text.
#include "commands/core/ValueText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <locale>
#include <sstream>
#include <type_traits>

namespace vendrel::commands {
namespace {

// Automation dates run from 1 January 100 to 31 December 9999.
constexpr double kFirstDate = -657435.0;
constexpr double kLastDate = 2958466.0;
// Day 0 of automation dates, 1899-12-30, counted from 1970-01-01.
constexpr std::int64_t kEpochShift = -25569;
constexpr std::int64_t kSecondsPerDay = 86400;

// Proleptic Gregorian date of a day count from 1970-01-01.
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// The whole days and the time of day in seconds. Before day 0 the fraction still counts
// forward from the start of the day: -1.25 is 29 December 1899, 06:00.
bool Split(host::Date date, std::int64_t& days, std::int64_t& seconds) {
  if (!(date.serial > kFirstDate && date.serial < kLastDate)) return false;
  const double whole = std::trunc(date.serial);
  days = static_cast<std::int64_t>(whole);
  seconds = std::llround(std::fabs(date.serial - whole) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++days;
    seconds = 0;
  }
  return true;
}

std::wstring Format(const wchar_t* format, int a, int b, int c) {
  wchar_t buffer[32];
  std::swprintf(buffer, std::size(buffer), format, a, b, c);
  return buffer;
}

}  // namespace

std::optional<CivilTime> ToCivil(host::Date date) {
  std::int64_t days = 0;
  std::int64_t seconds = 0;
  if (!Split(date, days, seconds)) return std::nullopt;
  CivilTime t;
  CivilFromDays(days + kEpochShift, t.year, t.month, t.day);
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

std::optional<std::wstring> DateToText(host::Date date) {
  const auto t = ToCivil(date);
  if (!t) return std::nullopt;
  const bool timeOnly = std::trunc(date.serial) == 0;
  const bool dateOnly = !timeOnly && date.serial == std::trunc(date.serial);
  std::wstring text;
  if (!timeOnly) text = Format(L"%d/%d/%d", t->month, t->day, t->year);
  if (!dateOnly) {
    if (!text.empty()) text += L' ';
    const int hour12 = t->hour % 12 == 0 ? 12 : t->hour % 12;
    text += Format(L"%d:%02d:%02d", hour12, t->minute, t->second);
    text += t->hour < 12 ? L" AM" : L" PM";
  }
  return text;
}

std::optional<std::wstring> Timestamp(host::Date date) {
  const auto t = ToCivil(date);
  if (!t) return std::nullopt;
  return Format(L"%04d%02d%02d", t->year, t->month, t->day) + L' ' +
         Format(L"%02d:%02d:%02d", t->hour, t->minute, t->second);
}

std::wstring ValueToText(const host::Value& value) {
  return std::visit(
      [](const auto& v) -> std::wstring {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return {};
        } else if constexpr (std::is_same_v<T, std::wstring>) {
          return v;
        } else if constexpr (std::is_same_v<T, host::Date>) {
          return DateToText(v).value_or(L"Could not convert date type");
        } else if constexpr (std::is_same_v<T, double>) {
          std::wostringstream out;
          out.imbue(std::locale::classic());
          out << v;
          return out.str();
        } else {
          return std::to_wstring(v);
        }
      },
      value);
}

}  // namespace vendrel::commands
