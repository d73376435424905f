// Localized texts over the string library.
#include "host/Strings.h"

#include <cstdio>
#include <iterator>

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
