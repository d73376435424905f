// The system's text-to-variant rules for an English (United States) user, emulated.
#include "platform/TextConversion.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <vector>

#include "platform/CivilTime.h"

namespace vendrel::platform {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

std::wstring Trimmed(const std::wstring& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return text;
}

// A number as the system's parser reads it; false when the text is no number.
bool ParseNumber(const std::wstring& text, double& number) {
  std::wstring s = Trimmed(text);
  bool negative = false;
  if (s.size() >= 2 && s.front() == L'(' && s.back() == L')') {
    negative = true;
    s = Trimmed(s.substr(1, s.size() - 2));
  }
  if (!s.empty() && (s.front() == L'-' || s.front() == L'+')) {
    negative = negative != (s.front() == L'-');
    s = Trimmed(s.substr(1));
  } else if (!s.empty() && (s.back() == L'-' || s.back() == L'+')) {
    negative = negative != (s.back() == L'-');
    s = Trimmed(s.substr(0, s.size() - 1));
  }
  if (!s.empty() && s.front() == L'$') s = s.substr(1);
  if (s.size() > 2 && s[0] == L'&') {
    const wchar_t base = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(s[1])));
    const int radix = base == L'h' ? 16 : base == L'o' ? 8 : 0;
    if (radix == 0) return false;
    double value = 0;
    for (std::size_t i = 2; i < s.size(); ++i) {
      const wchar_t c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(s[i])));
      int digit = -1;
      if (c >= L'0' && c <= L'9') digit = c - L'0';
      if (c >= L'a' && c <= L'f') digit = c - L'a' + 10;
      if (digit < 0 || digit >= radix) return false;
      value = value * radix + digit;
    }
    number = negative ? -value : value;
    return true;
  }
  std::string plain;
  bool digits = false;
  bool point = false;
  std::size_t i = 0;
  for (; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (c >= L'0' && c <= L'9') {
      plain += static_cast<char>(c);
      digits = true;
    } else if (c == L',' && !point && digits) {
      continue;
    } else if (c == L'.' && !point) {
      plain += '.';
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == L'e' || s[i] == L'E')) {
    std::string exponent = "e";
    ++i;
    if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) exponent += static_cast<char>(s[i++]);
    bool any = false;
    for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i, any = true)
      exponent += static_cast<char>(s[i]);
    if (!any) return false;
    plain += exponent;
  }
  if (i != s.size()) return false;
  const double value = std::strtod(plain.c_str(), nullptr);
  number = negative ? -value : value;
  return true;
}

// "jan" to "dec", also written out; 0 for none.
int MonthOf(const std::wstring& word) {
  static constexpr const wchar_t* kMonths[] = {L"january",   L"february", L"march",    L"april",
                                               L"may",       L"june",     L"july",     L"august",
                                               L"september", L"october",  L"november", L"december"};
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    if (std::wstring(kMonths[m]).compare(0, word.size(), word) == 0) return m + 1;
  }
  return 0;
}

struct Token {
  enum class Kind { kNumber, kWord, kColon, kSeparator } kind;
  int number = 0;
  std::wstring word;
};

std::vector<Token> Tokens(const std::wstring& text, bool& ok) {
  std::vector<Token> tokens;
  ok = true;
  for (std::size_t i = 0; i < text.size();) {
    const wchar_t c = text[i];
    if (IsBlank(c) || c == L',') {
      ++i;
    } else if (c >= L'0' && c <= L'9') {
      int value = 0;
      std::size_t digits = 0;
      for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
        if (digits < 6) value = value * 10 + (text[i] - L'0');
      }
      if (digits > 5) ok = false;
      tokens.push_back({Token::Kind::kNumber, value, {}});
    } else if (std::iswalpha(static_cast<wint_t>(c))) {
      std::wstring word;
      for (; i < text.size() && std::iswalpha(static_cast<wint_t>(text[i])); ++i)
        word += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i])));
      tokens.push_back({Token::Kind::kWord, 0, word});
    } else if (c == L':') {
      tokens.push_back({Token::Kind::kColon, 0, {}});
      ++i;
    } else if (c == L'/' || c == L'-' || c == L'.') {
      tokens.push_back({Token::Kind::kSeparator, 0, {}});
      ++i;
    } else {
      ok = false;
      ++i;
    }
  }
  return tokens;
}

// Two-digit years below 30 are in this century, the others in the last.
int FullYear(int year) {
  if (year >= 100) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

}  // namespace

std::int32_t TextToInt32(const std::wstring& text, std::int32_t& value) {
  double number = 0;
  if (!ParseNumber(text, number)) return kConversionMismatch;
  const double rounded = std::nearbyint(number);  // the default rounding: half to even
  if (rounded < -2147483648.0 || rounded > 2147483647.0) return kConversionOverflow;
  value = static_cast<std::int32_t>(rounded);
  return kConverted;
}

std::int32_t TextToSingle(const std::wstring& text, float& value) {
  double number = 0;
  if (!ParseNumber(text, number)) return kConversionMismatch;
  if (std::fabs(number) > FLT_MAX) return kConversionOverflow;
  value = static_cast<float>(number);
  return kConverted;
}

std::int32_t TextToBool(const std::wstring& text, bool& value) {
  const std::wstring word = Lower(Trimmed(text));
  if (word == L"true" || word == L"#true#") {
    value = true;
    return kConverted;
  }
  if (word == L"false" || word == L"#false#") {
    value = false;
    return kConverted;
  }
  double number = 0;
  if (!ParseNumber(text, number)) return kConversionMismatch;
  value = number != 0;
  return kConverted;
}

// Dates as month/day/year or year-month-day, the month also by name, then an optional time of
// hours and minutes, seconds and AM or PM; or a time alone, which is day 0.
std::int32_t TextToDate(const std::wstring& text, double& serial) {
  bool ok = false;
  const std::vector<Token> tokens = Tokens(text, ok);
  if (!ok || tokens.empty()) return kConversionMismatch;

  std::vector<int> dateNumbers;
  int namedMonth = 0;
  CivilTime t;
  bool hasDate = false;
  bool hasTime = false;
  int meridiem = 0;  // 1 AM, 2 PM
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (token.kind == Token::Kind::kNumber && i + 1 < tokens.size() &&
        tokens[i + 1].kind == Token::Kind::kColon) {
      if (hasTime) return kConversionMismatch;
      hasTime = true;
      t.hour = token.number;
      if (i + 2 >= tokens.size() || tokens[i + 2].kind != Token::Kind::kNumber)
        return kConversionMismatch;
      t.minute = tokens[i + 2].number;
      i += 2;
      if (i + 2 < tokens.size() && tokens[i + 1].kind == Token::Kind::kColon &&
          tokens[i + 2].kind == Token::Kind::kNumber) {
        t.second = tokens[i + 2].number;
        i += 2;
      }
    } else if (token.kind == Token::Kind::kNumber) {
      if (hasTime) return kConversionMismatch;
      dateNumbers.push_back(token.number);
    } else if (token.kind == Token::Kind::kWord) {
      if (token.word == L"am" || token.word == L"pm") {
        if (!hasTime || meridiem != 0) return kConversionMismatch;
        meridiem = token.word == L"am" ? 1 : 2;
      } else if (const int month = MonthOf(token.word); month != 0 && namedMonth == 0) {
        namedMonth = month;
      } else {
        return kConversionMismatch;
      }
    } else if (token.kind == Token::Kind::kColon) {
      return kConversionMismatch;
    }
  }
  if (meridiem != 0) {
    if (t.hour < 1 || t.hour > 12) return kConversionMismatch;
    t.hour = t.hour % 12 + (meridiem == 2 ? 12 : 0);
  }

  if (namedMonth != 0) {
    // "March 5 2024" and "5 March 2024".
    if (dateNumbers.size() != 2) return kConversionMismatch;
    hasDate = true;
    t.month = namedMonth;
    t.day = dateNumbers[0];
    t.year = FullYear(dateNumbers[1]);
  } else if (dateNumbers.size() == 3) {
    hasDate = true;
    if (dateNumbers[0] > 31) {
      t.year = dateNumbers[0];
      t.month = dateNumbers[1];
      t.day = dateNumbers[2];
    } else {
      t.month = dateNumbers[0];
      t.day = dateNumbers[1];
      t.year = FullYear(dateNumbers[2]);
    }
  } else if (dateNumbers.size() == 2) {
    // Month and day of the current year are not emulated: no clock reaches this code.
    return kConversionMismatch;
  } else if (!dateNumbers.empty() || !hasTime) {
    return kConversionMismatch;
  }
  if (!hasDate) {
    t.year = 1899;
    t.month = 12;
    t.day = 30;
  }
  const std::optional<double> date = FromCivil(t);
  if (!date) return kConversionMismatch;
  serial = *date;
  return kConverted;
}

// "M/D/YYYY", then " h:mm:ss AM" or " PM"; only the time when the day part is 0, only the date
// when the time part is 0.
std::optional<std::wstring> DateToText(double serial) {
  const auto t = ToCivil(serial);
  if (!t) return std::nullopt;
  const bool timeOnly = std::trunc(serial) == 0;
  const bool dateOnly = !timeOnly && serial == std::trunc(serial);
  wchar_t buffer[64];
  std::wstring text;
  if (!timeOnly) {
    std::swprintf(buffer, std::size(buffer), L"%d/%d/%d", t->month, t->day, t->year);
    text = buffer;
  }
  if (!dateOnly) {
    if (!text.empty()) text += L' ';
    const int hour12 = t->hour % 12 == 0 ? 12 : t->hour % 12;
    std::swprintf(buffer, std::size(buffer), L"%d:%02d:%02d %ls", hour12, t->minute, t->second,
                  t->hour < 12 ? L"AM" : L"PM");
    text += buffer;
  }
  return text;
}

}  // namespace vendrel::platform
