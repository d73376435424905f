// Localized texts over the string library.
#include "host/Strings.h"

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <string_view>

#include "uilibs/lexicor/Lexicor.h"

namespace vendrel::strings {

std::wstring Load(std::int32_t id, const wchar_t* englishDefault) {
  return lexicor::TSS_internal(id, L"TS", nullptr, englishDefault);
}

std::wstring Fill(std::wstring format, std::initializer_list<std::wstring_view> values) {
  std::size_t at = 0;
  for (const std::wstring_view value : values) {
    at = format.find(L"%s", at);
    if (at == std::wstring::npos) break;
    format.replace(at, 2, value);
    at += value.size();
  }
  return format;
}

std::wstring FillNumbered(std::wstring format, std::initializer_list<std::wstring_view> values) {
  std::size_t number = 1;
  for (const std::wstring_view value : values) {
    const std::wstring mark = L"%" + std::to_wstring(number++);
    if (const auto at = format.find(mark); at != std::wstring::npos)
      format.replace(at, mark.size(), value);
  }
  return format;
}

std::wstring HexCode(std::int32_t code) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"0x%08X", static_cast<unsigned>(code));
  return text;
}

std::wstring HostText(const std::wstring& text) {
  constexpr std::wstring_view kStart = L"\u00a7(";
  const std::size_t end = text.find(L')');
  if (!text.starts_with(kStart) || end == std::wstring::npos) return text;
  const std::wstring inside = text.substr(kStart.size(), end - kStart.size());
  const std::size_t first = inside.find(L',');
  const std::size_t second = inside.find(L',', first + 1);
  if (second == std::wstring::npos) return text;
  wchar_t* digitsEnd = nullptr;
  const long id = std::wcstol(inside.c_str(), &digitsEnd, 10);
  if (digitsEnd != inside.c_str() + first) return text;
  const std::wstring table = inside.substr(first + 1, second - first - 1);
  const std::wstring file = inside.substr(second + 1);
  const std::wstring english = text.substr(end + 1);
  return lexicor::TSS_internal(static_cast<std::int32_t>(id), table.c_str(), file.c_str(),
                               english.c_str());
}

DefaultFileScope::DefaultFileScope(const wchar_t* file) {
  lexicor::gvPushDefaultFile(file);
}

DefaultFileScope::~DefaultFileScope() {
  lexicor::gvPopDefaultFile();
}

void Initialize(const std::wstring& language, const std::wstring& languageFolder) {
  lexicor::gvInitStrDll(L"ZENTRIK", L"Tessadel", language.c_str(), languageFolder.c_str(), nullptr);
}

}  // namespace vendrel::strings
