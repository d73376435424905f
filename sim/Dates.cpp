// Conversions between calendar dates and the host's day numbers.
#include "sim/Dates.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace vendrel::sim {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

const std::int64_t kEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

host::Date MakeDate(int year, int month, int day, int hour, int minute, int second) {
  const std::int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch;
  return host::Date{static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0};
}

host::Date Now() {
  const std::time_t now = std::time(nullptr);
  // The reentrant forms: glibc's plain localtime looks at the time zone file on every call.
  std::tm parts{};
#ifdef _WIN32
  localtime_s(&parts, &now);
#else
  localtime_r(&now, &parts);
#endif
  return MakeDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                  parts.tm_min, parts.tm_sec);
}

std::wstring FormatDate(host::Date date) {
  const double days = std::floor(date.serial);
  auto seconds = static_cast<long>(std::lround((date.serial - days) * 86400.0));
  int year = 0, month = 0, day = 0;
  CivilFromDays(static_cast<std::int64_t>(days) + kEpoch + seconds / 86400, year, month, day);
  seconds %= 86400;
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d-%02d-%02d %02ld:%02ld:%02ld", year, month, day, seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return text;
}

}  // namespace vendrel::sim
