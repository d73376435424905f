// The text format of string files: numbered texts in named tables, UTF-8, one entry a line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vendrel::lexicor {

// Texts of one string file by (table, id).
using StringTable = std::map<std::pair<std::wstring, std::int32_t>, std::wstring>;

struct StringFileError {
  int line = 0;  // 1-based
  std::string message;
};

struct ParsedStringFile {
  StringTable texts;
  std::vector<StringFileError> errors;  // lines that were skipped, in file order
};

// Reads the format described in docs/strings.md. A faulty line is reported and skipped so that
// one typo in a translation does not cost the other texts; the first of two equal keys wins.
ParsedStringFile ParseStringFile(std::string_view utf8);

// The whole file at `path`; an unreadable or missing file gives an empty table. Never throws.
ParsedStringFile ReadStringFile(const std::wstring& path);

// A file-system path from a wide text on every build; the standard conversion of wchar_t
// depends on the C locale where wchar_t has 32 bits and fails on non-ASCII names.
std::filesystem::path WidePath(const std::wstring& path);

}  // namespace vendrel::lexicor
