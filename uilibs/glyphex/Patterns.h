// The patterns of a highlighting rich-edit control and where they occur in its text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::glyphex {

// A registered pattern: the text to highlight, a flag, and three descriptive texts (callers
// pass the variable's name for each).
struct Pattern {
  std::wstring text;
  bool flag = false;
  std::wstring name;
  std::wstring description;
  std::wstring tip;
};

// Patterns in registration order; a text is registered once.
class PatternList {
 public:
  // False when the text was registered already (or is empty): the list stays as it was.
  bool Add(Pattern pattern);
  const std::vector<Pattern>& All() const { return patterns_; }

 private:
  std::vector<Pattern> patterns_;
};

// A run of characters: position and count.
struct Span {
  std::int32_t start = 0;
  std::int32_t length = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

// Every occurrence of a pattern in `text`, left to right and never overlapping: at each position
// the longest pattern that starts there wins.
std::vector<Span> Occurrences(const std::wstring& text, const PatternList& patterns);

}  // namespace vendrel::glyphex
