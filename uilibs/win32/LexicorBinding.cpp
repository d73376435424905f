// The string library's C++ interface in the add-in DLL, each call going to Lexicor.dll, which
// is loaded from the host's installation folder at the first call.
#include "uilibs/lexicor/Lexicor.h"
#include "uilibs/win32/HostLibraries.h"
#include "uilibs/win32/LexicorAbi.h"

namespace vendrel::lexicor {

namespace {

uilibs::LazyLibrary& Library() {
  static uilibs::LazyLibrary library(L"Lexicor.dll");
  return library;
}

#define VENDREL_LEXICOR_ENTRY(type, name) VENDREL_LAZY_ENTRY(Library(), type, name)

}  // namespace

void gvInitStrDll(const wchar_t* brand, const wchar_t* product, const wchar_t* language,
                  const wchar_t* languageFolder, const void* reserved) {
  VENDREL_LEXICOR_ENTRY(GvInitStrDll, "gvInitStrDll")
  (brand, product, language, languageFolder, reserved);
}

void gvPushDefaultFile(const wchar_t* file) {
  VENDREL_LEXICOR_ENTRY(GvPushDefaultFile, "gvPushDefaultFile")(file);
}

void gvPopDefaultFile() {
  VENDREL_LEXICOR_ENTRY(GvPopDefaultFile, "gvPopDefaultFile")();
}

const wchar_t* TSS_internal(std::int32_t id, const wchar_t* table, const wchar_t* file,
                            const wchar_t* englishDefault) {
  return VENDREL_LEXICOR_ENTRY(TssInternal, "TSS_internal")(id, table, file, englishDefault);
}

std::vector<std::pair<std::int32_t, std::wstring>> TableOfCurrentFile(const std::wstring& table) {
  std::vector<std::pair<std::int32_t, std::wstring>> texts;
  VENDREL_LEXICOR_ENTRY(GvEnumTable, "gvEnumTable")
  (
      table.c_str(),
      [](void* context, std::int32_t id, const wchar_t* text) {
        static_cast<decltype(texts)*>(context)->emplace_back(id, text);
      },
      &texts);
  return texts;
}

}  // namespace vendrel::lexicor
