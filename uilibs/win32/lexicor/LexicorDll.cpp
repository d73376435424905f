// Lexicor.dll: the string library's C entry points; no exception leaves the library.
#include "uilibs/lexicor/Lexicor.h"
#include "uilibs/win32/LexicorAbi.h"

namespace lexicor = vendrel::lexicor;

extern "C" {

void gvInitStrDll(const wchar_t* brand, const wchar_t* product, const wchar_t* language,
                  const wchar_t* languageFolder, const void* reserved) {
  try {
    lexicor::gvInitStrDll(brand, product, language, languageFolder, reserved);
  } catch (...) {
  }
}

void gvPushDefaultFile(const wchar_t* file) {
  try {
    lexicor::gvPushDefaultFile(file);
  } catch (...) {
  }
}

void gvPopDefaultFile() {
  lexicor::gvPopDefaultFile();
}

const wchar_t* TSS_internal(std::int32_t id, const wchar_t* table, const wchar_t* file,
                            const wchar_t* englishDefault) {
  try {
    return lexicor::TSS_internal(id, table, file, englishDefault);
  } catch (...) {
    return englishDefault;
  }
}

void gvEnumTable(const wchar_t* table,
                 void (*add)(void* context, std::int32_t id, const wchar_t* text), void* context) {
  try {
    for (const auto& [id, text] : lexicor::TableOfCurrentFile(table))
      add(context, id, text.c_str());
  } catch (...) {
  }
}
}
