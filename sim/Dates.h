// The host's dates (days since 1899-12-30, the fraction the time of day) and their texts.
#pragma once

#include <string>

#include "host/Value.h"

namespace vendrel::sim {

// The local time now.
host::Date Now();
host::Date MakeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// "YYYY-MM-DD hh:mm:ss".
std::wstring FormatDate(host::Date date);

}  // namespace vendrel::sim
