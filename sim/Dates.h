// The host's dates (days since 1899-12-30, the fraction the time of day) and their texts.
#pragma once

#include <string>

#include "host/Value.h"

namespace vendrel::sim {

// "YYYY-MM-DD hh:mm:ss"; empty for a date outside the years 100 to 9999.
std::wstring FormatDate(host::Date date);

}  // namespace vendrel::sim
