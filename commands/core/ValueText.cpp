// Conversions of host values and automation dates to text.
#include "commands/core/ValueText.h"

#include <cstdio>
#include <locale>
#include <sstream>
#include <type_traits>

#include "platform/CivilTime.h"
#include "platform/TextConversion.h"

namespace vendrel::commands {

std::optional<std::wstring> Timestamp(host::Date date) {
  const auto t = platform::ToCivil(date.serial);
  if (!t) return std::nullopt;
  wchar_t buffer[32];
  std::swprintf(buffer, std::size(buffer), L"%04d%02d%02d %02d:%02d:%02d", t->year, t->month,
                t->day, t->hour, t->minute, t->second);
  return buffer;
}

std::wstring ValueToText(const host::Value& value) {
  return std::visit(
      [](const auto& v) -> std::wstring {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return {};
        } else if constexpr (std::is_same_v<T, std::wstring>) {
          return v;
        } else if constexpr (std::is_same_v<T, host::Date>) {
          return platform::DateToText(v.serial).value_or(L"Could not convert date type");
        } else if constexpr (std::is_same_v<T, double> || std::is_same_v<T, float>) {
          std::wostringstream out;
          out.imbue(std::locale::classic());
          out << v;
          return out.str();
        } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>) {
          return std::to_wstring(v);
        } else {
          return L"Unknown format";
        }
      },
      value);
}

}  // namespace vendrel::commands
