// The C entry points of Lexicor.dll, shared by the library and the add-in's lazy binding.
#pragma once

#include <cstdint>

extern "C" {
using GvInitStrDll = void(const wchar_t* brand, const wchar_t* product, const wchar_t* language,
                          const wchar_t* languageFolder, const void* reserved);
using GvPushDefaultFile = void(const wchar_t* file);
using GvPopDefaultFile = void();
using TssInternal = const wchar_t*(std::int32_t id, const wchar_t* table, const wchar_t* file,
                                   const wchar_t* englishDefault);
// Calls add(context, id, text) for each translated text of `table` in the current file.
using GvEnumTable = void(const wchar_t* table,
                         void (*add)(void* context, std::int32_t id, const wchar_t* text),
                         void* context);
}
