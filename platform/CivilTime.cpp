// Calendar arithmetic of automation dates, proleptic Gregorian.
#include "platform/CivilTime.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace vendrel::platform {
namespace {

// Automation dates run from 1 January 100 to 31 December 9999.
constexpr double kFirstDate = -657435.0;
constexpr double kLastDate = 2958466.0;
// Day 0 of automation dates, 1899-12-30, counted from 1970-01-01.
constexpr std::int64_t kEpochShift = -25569;
constexpr std::int64_t kSecondsPerDay = 86400;

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

std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

// Before day 0 the fraction still counts forward from the start of the day: -1.25 is
// 29 December 1899, 06:00.
std::optional<CivilTime> ToCivil(double serial) {
  if (!(serial > kFirstDate && serial < kLastDate)) return std::nullopt;
  const double whole = std::trunc(serial);
  auto days = static_cast<std::int64_t>(whole);
  std::int64_t seconds = std::llround(std::fabs(serial - whole) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++days;
    seconds = 0;
  }
  CivilTime t;
  CivilFromDays(days + kEpochShift, t.year, t.month, t.day);
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

std::optional<double> FromCivil(const CivilTime& t) {
  if (t.year < 100 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1 ||
      t.day > DaysInMonth(t.year, t.month) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59) {
    return std::nullopt;
  }
  const auto days = static_cast<double>(DaysFromCivil(t.year, t.month, t.day) - kEpochShift);
  const double time = (t.hour * 3600 + t.minute * 60 + t.second) / double(kSecondsPerDay);
  // Before day 0 the time still counts forward from the start of the day.
  return days < 0 ? days - time : days + time;
}

std::wstring FormatCivil(const CivilTime& time) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return text;
}

}  // namespace vendrel::platform
