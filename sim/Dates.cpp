// The texts of the host's dates.
#include "sim/Dates.h"

#include <cstdio>

#include "platform/CivilTime.h"

namespace vendrel::sim {

std::wstring FormatDate(host::Date date) {
  const std::optional<platform::CivilTime> t = platform::ToCivil(date.serial);
  if (!t) return {};
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour,
                t->minute, t->second);
  return text;
}

}  // namespace vendrel::sim
