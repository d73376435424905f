// The string library: localized texts by string file, table and id, with English defaults.
// Translations live in "<language-files folder>/<language>/<file>.txt" (docs/strings.md).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vendrel::lexicor {

// Chooses the language and the folder of its files; `brand` and `product` name the host and
// `reserved` must be null. Forgets the translations read so far. A missing folder or language
// is no error: every lookup then gives its English default.
void gvInitStrDll(const wchar_t* brand, const wchar_t* product, const wchar_t* language,
                  const wchar_t* languageFolder, const void* reserved);

// The current string file is the top of a process-wide stack.
void gvPushDefaultFile(const wchar_t* file);
void gvPopDefaultFile();  // harmless on an empty stack

// Text `id` of `table` in `file` (null: the current string file), or `englishDefault` when the
// language has none. The text stays valid until the next gvInitStrDll; callers copy it at once.
const wchar_t* TSS_internal(std::int32_t id, const wchar_t* table, const wchar_t* file,
                            const wchar_t* englishDefault);

// Every translated (id, text) of `table` in the current string file, by ascending id; StrWnd
// gives these to the controls of a window.
std::vector<std::pair<std::int32_t, std::wstring>> TableOfCurrentFile(const std::wstring& table);

}  // namespace vendrel::lexicor
