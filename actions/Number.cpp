// Reading a leading decimal number from a text.
#include "actions/Number.h"

#include <algorithm>
#include <cwctype>
#include <limits>

namespace vendrel::actions {

std::int32_t ReadNumber(std::wstring_view text, std::size_t* end) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::size_t i = 0;
  while (i < text.size() && std::iswspace(static_cast<std::wint_t>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  std::int64_t value = 0;
  const std::size_t digits = i;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = std::min(value * 10 + (text[i] - L'0'), kMax + 1);
  }
  if (end) *end = i == digits ? 0 : i;
  return static_cast<std::int32_t>(std::clamp(negative ? -value : value, kMin, kMax));
}

}  // namespace vendrel::actions
