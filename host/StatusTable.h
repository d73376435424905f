// The host's status codes by name, each with the id of its description in the host's string file
// "ZemInterface", table "ErrorCodes" (English texts in resources/strings/en/ZemInterface.txt).
#pragma once

#include <cstdint>
#include <span>

#include "host/Status.h"

namespace vendrel::host {

struct StatusRow {
  HResult code;
  const wchar_t* name;  // empty for the host's codes that have none
  std::int32_t stringId;
};

// Every row, in the order of the codes read as unsigned numbers.
std::span<const StatusRow> StatusTable();
// The row of `code`, or null.
const StatusRow* FindStatus(HResult code);

}  // namespace vendrel::host
