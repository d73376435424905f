// Localized texts of the add-in: numbered strings of the current string file with English defaults.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vendrel::strings {

// Text `id` of table "TS" in the current string file, or the English default.
std::wstring Load(std::int32_t id, const wchar_t* englishDefault);

// `format` with its "%s" marks filled by `values` in order; marks beyond the values stay.
std::wstring Fill(std::wstring format, std::initializer_list<std::wstring_view> values);
// `format` with "%1", "%2", ... filled by the values of those numbers.
std::wstring FillNumbered(std::wstring format, std::initializer_list<std::wstring_view> values);
// A status code as the messages show it: "0x8002000A".
std::wstring HexCode(std::int32_t code);

// A text the add-in hands the host, as the host shows it: "§(8,TS,Vorn)Administrate Actions..." is
// text 8 of table TS of string file Vorn, the rest its English default; any other text as it is.
std::wstring HostText(const std::wstring& text);

// Makes `file` the current string file while the scope lives (push and pop).
class DefaultFileScope {
 public:
  explicit DefaultFileScope(const wchar_t* file = L"Vorn");
  ~DefaultFileScope();
  DefaultFileScope(const DefaultFileScope&) = delete;
  DefaultFileScope& operator=(const DefaultFileScope&) = delete;
};

// Start-up: the host's language code and its language-files folder (a folder of the machine).
void Initialize(const std::wstring& language, const std::wstring& languageFolder);

// The shipped English text of `id` in `table` of string file `file`; empty when there is none.
std::wstring English(std::wstring_view file, std::wstring_view table, std::int32_t id);

}  // namespace vendrel::strings
