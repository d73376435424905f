// Localized texts over the string library.
#include "host/Strings.h"

#include "uilibs/lexicor/Lexicor.h"

namespace vendrel::strings {

std::wstring Load(std::int32_t id, const wchar_t* englishDefault) {
  return lexicor::TSS_internal(id, L"TS", nullptr, englishDefault);
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
