// Lookup of the shipped English texts, read once from the embedded string files.
#include <map>

#include "host/EnglishStrings.h"
#include "host/Strings.h"
#include "uilibs/lexicor/StringFile.h"

namespace vendrel::strings {

namespace {

const std::map<std::wstring, lexicor::StringTable, std::less<>>& EnglishTables() {
  static const auto tables = [] {
    std::map<std::wstring, lexicor::StringTable, std::less<>> result;
    for (const EmbeddedStringFile& file : EnglishStringFiles())
      result.emplace(file.name, lexicor::ParseStringFile(file.utf8).texts);
    return result;
  }();
  return tables;
}

}  // namespace

std::wstring English(std::wstring_view file, std::wstring_view table, std::int32_t id) {
  const auto& tables = EnglishTables();
  const auto texts = tables.find(file);
  if (texts == tables.end()) return {};
  const auto found = texts->second.find({std::wstring(table), id});
  return found == texts->second.end() ? std::wstring() : found->second;
}

}  // namespace vendrel::strings
