// The texts of the host's dates.
#include "sim/Dates.h"

#include "platform/CivilTime.h"

namespace vendrel::sim {

std::wstring FormatDate(host::Date date) {
  const std::optional<platform::CivilTime> t = platform::ToCivil(date.serial);
  if (!t) return {};
  return platform::FormatCivil(*t);
}

}  // namespace vendrel::sim
