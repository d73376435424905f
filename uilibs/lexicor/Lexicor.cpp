// Process-wide state of the string library: language, current-file stack, translations read.
#include "uilibs/lexicor/Lexicor.h"

#include <limits>
#include <map>
#include <mutex>

#include "uilibs/lexicor/StringFile.h"

namespace vendrel::lexicor {

namespace {

struct State {
  std::mutex mutex;
  std::wstring language;
  std::wstring folder;
  std::vector<std::wstring> files;
  std::map<std::wstring, StringTable> translations;  // by string file, read on first use
};

State& Library() {
  static State state;
  return state;
}

std::wstring LanguageFilePath(const State& state, const std::wstring& file) {
  std::wstring path = state.folder;
  if (path.back() != L'/' && path.back() != L'\\') path += L'/';
  return path + state.language + L'/' + file + L".txt";
}

// Caller holds the mutex.
const StringTable& TranslationsOf(State& state, const std::wstring& file) {
  auto found = state.translations.find(file);
  if (found == state.translations.end()) {
    StringTable texts;
    if (!state.language.empty() && !state.folder.empty())
      texts = ReadStringFile(LanguageFilePath(state, file)).texts;
    found = state.translations.emplace(file, std::move(texts)).first;
  }
  return found->second;
}

}  // namespace

void gvInitStrDll(const wchar_t* /*brand*/, const wchar_t* /*product*/, const wchar_t* language,
                  const wchar_t* languageFolder, const void* /*reserved*/) {
  State& state = Library();
  std::lock_guard lock(state.mutex);
  state.language = language ? language : L"";
  state.folder = languageFolder ? languageFolder : L"";
  state.translations.clear();
}

void gvPushDefaultFile(const wchar_t* file) {
  State& state = Library();
  std::lock_guard lock(state.mutex);
  state.files.emplace_back(file ? file : L"");
}

void gvPopDefaultFile() {
  State& state = Library();
  std::lock_guard lock(state.mutex);
  if (!state.files.empty()) state.files.pop_back();
}

const wchar_t* TSS_internal(std::int32_t id, const wchar_t* table, const wchar_t* file,
                            const wchar_t* englishDefault) {
  const wchar_t* fallback = englishDefault ? englishDefault : L"";
  State& state = Library();
  std::lock_guard lock(state.mutex);
  if (!table || (!file && state.files.empty())) return fallback;
  const StringTable& texts = TranslationsOf(state, file ? file : state.files.back());
  const auto found = texts.find({table, id});
  return found == texts.end() ? fallback : found->second.c_str();
}

std::vector<std::pair<std::int32_t, std::wstring>> TableOfCurrentFile(const std::wstring& table) {
  State& state = Library();
  std::lock_guard lock(state.mutex);
  std::vector<std::pair<std::int32_t, std::wstring>> result;
  if (state.files.empty()) return result;
  const StringTable& texts = TranslationsOf(state, state.files.back());
  for (auto it = texts.lower_bound({table, std::numeric_limits<std::int32_t>::min()});
       it != texts.end() && it->first.first == table; ++it)
    result.emplace_back(it->first.second, it->second);
  return result;
}

}  // namespace vendrel::lexicor
