// The stored fields of a command kind, described once by a walk over them: storing, the JSON
// form, lint and the editors all take the fields from that walk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::commands {

// What a run makes of a text field: expands its %name% references, takes it as written, or
// sets the variable it names.
enum class TextUse { kExpanded, kAsWritten, kSetsVariable };

// Visits each stored field after the summary, in stored order, by its JSON name.
class FieldVisitor {
 public:
  virtual void Int32(const char* name, std::int32_t& value) = 0;
  virtual void Bool(const char* name, bool& value) = 0;
  virtual void Text(const char* name, std::wstring& value, TextUse use) = 0;
  virtual void TextList(const char* name, std::vector<std::wstring>& values, TextUse use) = 0;

 protected:
  ~FieldVisitor() = default;
};

}  // namespace vendrel::commands
