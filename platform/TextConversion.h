// Texts converted to typed values and dates to text by the system's variant rules, as Windows
// converts a text variant: the windows build asks the system, the native build emulates its rules
// for an English (United States) user.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vendrel::platform {

// The results are the system's status codes.
inline constexpr std::int32_t kConverted = 0;
inline constexpr std::int32_t kConversionMismatch = static_cast<std::int32_t>(0x80020005);
inline constexpr std::int32_t kConversionOverflow = static_cast<std::int32_t>(0x8002000A);

// Numbers may carry blanks around them, a sign before or after, parentheses for a negative
// number, thousands separators, a decimal part, an exponent, a leading "$" and "&H" or "&O" for
// hexadecimal and octal. An integer is rounded half to even; out of range is an overflow.
std::int32_t TextToInt32(const std::wstring& text, std::int32_t& value);
std::int32_t TextToSingle(const std::wstring& text, float& value);
// "True" and "False" in any case, else a number: true unless it is 0.
std::int32_t TextToBool(const std::wstring& text, bool& value);
// A date, a time or both, as an automation date (days since 1899-12-30).
std::int32_t TextToDate(const std::wstring& text, double& serial);
// An automation date as the system writes it for the neutral locale; empty when out of range.
std::optional<std::wstring> DateToText(double serial);

}  // namespace vendrel::platform
