// The host's variant value: empty, 32-bit integer, integer, double, date or string.
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

// Index order is fixed: callers switch on it and the COM adapter maps it to VARTYPEs.
using Value = std::variant<std::monostate, std::int32_t, std::int64_t, double, Date, std::wstring>;

enum class ValueKind { kEmpty = 0, kInt32 = 1, kInteger = 2, kDouble = 3, kDate = 4, kString = 5 };

inline ValueKind KindOf(const Value& v) { return static_cast<ValueKind>(v.index()); }

}  // namespace vendrel::host
