// Pattern registration of the highlighting rich-edit control.
#include "uilibs/glyphex/Blob.h"

#include <algorithm>

namespace vendrel::glyphex {

void Blob::mvAddPattern(const std::wstring& text, bool flag, const std::wstring& name,
                        const std::wstring& description, const std::wstring& tip) {
  const bool known = std::any_of(patterns_.begin(), patterns_.end(),
                                 [&text](const Pattern& p) { return p.text == text; });
  if (!known) patterns_.push_back({text, flag, name, description, tip});
}

}  // namespace vendrel::glyphex
