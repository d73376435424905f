// The English string files compiled into the add-in, generated from resources/strings/en.
#pragma once

#include <span>

namespace vendrel::strings {

struct EmbeddedStringFile {
  const wchar_t* name;  // the string file, e.g. "Vorn"
  const char* utf8;     // its text, in the string-file format
};

std::span<const EmbeddedStringFile> EnglishStringFiles();

}  // namespace vendrel::strings
