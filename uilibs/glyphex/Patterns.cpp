// Pattern registration and the search for occurrences.
#include "uilibs/glyphex/Patterns.h"

#include <algorithm>

namespace vendrel::glyphex {

bool PatternList::Add(Pattern pattern) {
  if (pattern.text.empty()) return false;
  const bool known = std::any_of(patterns_.begin(), patterns_.end(),
                                 [&](const Pattern& p) { return p.text == pattern.text; });
  if (known) return false;
  patterns_.push_back(std::move(pattern));
  return true;
}

std::vector<Span> Occurrences(const std::wstring& text, const PatternList& patterns) {
  std::vector<Span> spans;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t longest = 0;
    for (const Pattern& p : patterns.All()) {
      if (p.text.size() > longest && text.compare(at, p.text.size(), p.text) == 0)
        longest = p.text.size();
    }
    if (longest == 0) {
      ++at;
      continue;
    }
    spans.push_back({static_cast<std::int32_t>(at), static_cast<std::int32_t>(longest)});
    at += longest;
  }
  return spans;
}

}  // namespace vendrel::glyphex
