// The host's variant value: empty, 32-bit integer, integer, double, date, string, boolean, a
// value of a kind the add-in does not read, or a single-precision number.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vendrel::host {

// A point in time as the host's automation date: days since 1899-12-30, the fraction the time.
struct Date {
  double serial = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

// A variant of a type no conversion of the add-in covers (an array, an object, a currency...);
// it keeps the host's type number only.
struct OtherValue {
  std::uint16_t type = 0;
  friend bool operator==(const OtherValue&, const OtherValue&) = default;
};

// Index order is fixed: callers switch on it, the COM adapter maps it to VARTYPEs and the
// simulated vault stores it.
using Value = std::variant<std::monostate, std::int32_t, std::int64_t, double, Date, std::wstring,
                           bool, OtherValue, float>;

enum class ValueKind {
  kEmpty = 0,
  kInt32 = 1,
  kInteger = 2,
  kDouble = 3,
  kDate = 4,
  kString = 5,
  kBool = 6,
  kOther = 7,
  kSingle = 8
};

inline ValueKind KindOf(const Value& v) {
  return static_cast<ValueKind>(v.index());
}

}  // namespace vendrel::host
