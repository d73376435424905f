// The text functions of variable expansion.
#include "commands/core/TextFunctions.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <cwchar>
#include <optional>
#include <string_view>

#include "actions/Number.h"
#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

using actions::ReadNumber;
using Result = std::optional<std::wstring>;
constexpr std::size_t npos = std::wstring::npos;

enum class Function {
  kLeft,
  kRight,
  kMid,
  kLen,
  kLength,
  kReverse,
  kFind,
  kReverseFind,
  kAdd,
  kSub,
  kCurrentTime
};

// The search order matters: the first name of this list found in the head decides where the
// function name starts (so REVERSE finds REVERSEFIND, LEN finds LENGTH).
constexpr std::array<std::pair<std::wstring_view, Function>, 11> kFunctions{{
    {L"LEFT", Function::kLeft},
    {L"RIGHT", Function::kRight},
    {L"MID", Function::kMid},
    {L"LEN", Function::kLen},
    {L"LENGTH", Function::kLength},
    {L"REVERSE", Function::kReverse},
    {L"FIND", Function::kFind},
    {L"REVERSEFIND", Function::kReverseFind},
    {L"ADD", Function::kAdd},
    {L"SUB", Function::kSub},
    {L"CURRENTTIME", Function::kCurrentTime},
}};

std::wstring Between(const std::wstring& t, std::size_t open, std::size_t close) {
  return t.substr(open + 1, close - open - 1);
}

std::wstring Trim(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

// Text and count for LEFT and RIGHT: the last comma after "(" and the first ")" after it.
struct TextAndCount {
  std::wstring text;
  std::int32_t count;
};
std::optional<TextAndCount> SplitAtLastComma(const std::wstring& t, std::size_t p) {
  const std::size_t c = t.rfind(L',');
  if (c == npos || c < p) return std::nullopt;
  const std::size_t q = t.find(L')', c + 1);
  if (q == npos) return std::nullopt;
  return TextAndCount{Between(t, p, c), ReadNumber(Between(t, c, q))};
}

// FIND and REVERSEFIND: the text and the trimmed needle.
std::optional<std::pair<std::wstring, std::wstring>> SplitNeedle(const std::wstring& t,
                                                                 std::size_t p) {
  const std::size_t c = t.rfind(L',');
  if (c == npos || c < p) return std::nullopt;
  const std::size_t q = t.find(L')', c + 1);
  if (q == npos) return std::nullopt;
  return std::pair{Between(t, p, c), Trim(Between(t, c, q))};
}

// LEN, LENGTH, REVERSE and CURRENTTIME: everything up to the last ")".
Result Enclosed(const std::wstring& t, std::size_t p) {
  const std::size_t q = t.rfind(L')');
  if (q == npos || q < p) return std::nullopt;
  return Between(t, p, q);
}

Result Mid(const std::wstring& t, std::size_t p) {
  const std::size_t c2 = t.rfind(L',');
  if (c2 == npos || c2 < p) return std::nullopt;
  const std::size_t c1 = t.rfind(L',', c2 - 1);
  if (c1 == npos || c1 < p) return std::nullopt;
  const std::size_t q = t.find(L')', c2 + 1);
  if (q == npos) return std::nullopt;
  const std::wstring text = Between(t, p, c1);
  const std::int32_t start = std::max(ReadNumber(Between(t, c1, c2)), 0);
  const std::int32_t count = std::max(ReadNumber(Between(t, c2, q)), 0);
  if (static_cast<std::size_t>(start) >= text.size()) return std::wstring();
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

Result Arithmetic(const std::wstring& t, std::size_t p, bool add) {
  const std::size_t c = t.find(L',', p + 1);
  if (c == npos) return std::nullopt;
  const std::size_t q = t.find(L')', c + 1);
  if (q == npos) return std::nullopt;
  // 32-bit wrap-around, as the sum of two 32-bit integers.
  const auto a = static_cast<std::uint32_t>(ReadNumber(Between(t, p, c)));
  const auto b = static_cast<std::uint32_t>(ReadNumber(Between(t, c, q)));
  return std::to_wstring(static_cast<std::int32_t>(add ? a + b : a - b));
}

std::wstring Position(std::size_t at) {
  return at == npos ? L"-1" : std::to_wstring(at);
}

Result Compute(Function function, const std::wstring& t, std::size_t p, platform::Clock* clock) {
  switch (function) {
    case Function::kLeft:
    case Function::kRight: {
      const auto args = SplitAtLastComma(t, p);
      if (!args) return std::nullopt;
      if (args->count < 0) return std::wstring();
      const std::size_t n =
          std::min<std::size_t>(static_cast<std::size_t>(args->count), args->text.size());
      return function == Function::kLeft ? args->text.substr(0, n)
                                         : args->text.substr(args->text.size() - n);
    }
    case Function::kMid:
      return Mid(t, p);
    case Function::kLen:
    case Function::kLength: {
      const Result text = Enclosed(t, p);
      if (!text) return std::nullopt;
      return std::to_wstring(text->size());
    }
    case Function::kReverse: {
      Result text = Enclosed(t, p);
      if (text) std::reverse(text->begin(), text->end());
      return text;
    }
    case Function::kFind: {
      const auto args = SplitNeedle(t, p);
      if (!args) return std::nullopt;
      return Position(args->first.find(args->second));
    }
    case Function::kReverseFind: {
      const auto args = SplitNeedle(t, p);
      if (!args) return std::nullopt;
      return Position(args->second.empty() ? npos : args->first.rfind(args->second.front()));
    }
    case Function::kAdd:
      return Arithmetic(t, p, true);
    case Function::kSub:
      return Arithmetic(t, p, false);
    case Function::kCurrentTime: {
      const Result format = Enclosed(t, p);
      if (!format) return std::nullopt;
      return clock ? FormatTime(*format, clock->Now()) : std::wstring();
    }
  }
  return std::nullopt;
}

// Day of the week (0 Sunday) and day of the year (0 based) for a calendar date.
void WeekAndYearDay(int year, int month, int day, int& weekDay, int& yearDay) {
  static constexpr int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  yearDay = kBefore[(month - 1) % 12] + day - 1 + (leap && month > 2 ? 1 : 0);
  // Zeller-style count with January and February as months 13 and 14 of the year before.
  const int y = month < 3 ? year - 1 : year;
  const int m = month < 3 ? month + 12 : month;
  weekDay = (day + (13 * (m + 1)) / 5 + y + y / 4 - y / 100 + y / 400 + 6) % 7;
}

bool PortableFormat(const std::wstring& format) {
  static constexpr std::wstring_view kKnown = L"aAbBcdHIjmMpSUwWxXyYZ%";
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != L'%') continue;
    if (++i == format.size() || kKnown.find(format[i]) == npos) return false;
  }
  return true;
}

}  // namespace

std::wstring FormatTime(const std::wstring& format, const platform::LocalTime& time) {
  if (format.empty() || !PortableFormat(format)) return {};
  std::tm tm{};
  tm.tm_year = time.year - 1900;
  tm.tm_mon = time.month - 1;
  tm.tm_mday = time.day;
  tm.tm_hour = time.hour;
  tm.tm_min = time.minute;
  tm.tm_sec = time.second;
  tm.tm_isdst = -1;
  WeekAndYearDay(time.year, time.month, time.day, tm.tm_wday, tm.tm_yday);
  wchar_t buffer[256];
  const std::size_t n = std::wcsftime(buffer, std::size(buffer), format.c_str(), &tm);
  return std::wstring(buffer, n);
}

std::wstring ApplyTextFunction(std::wstring text, platform::Clock* clock) {
  const std::size_t p = text.find(L'(');
  if (p == npos) return text;
  std::wstring head = text.substr(0, p);
  head.erase(head.find_last_not_of(L" \t") + 1);
  head = platform::UpperCase(std::move(head));

  std::size_t k = npos;
  for (const auto& [name, function] : kFunctions) {
    if ((k = head.find(name)) != npos) break;
  }
  if (k == npos) return text;
  const std::wstring_view name = std::wstring_view(head).substr(k);
  const auto known = std::find_if(kFunctions.begin(), kFunctions.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  if (known == kFunctions.end()) return text;

  const Result result = Compute(known->second, text, p, clock);
  if (!result) return text;
  return text.substr(0, k) + *result;
}

}  // namespace vendrel::commands
