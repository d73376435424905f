// The action editor's label list.
#include "commands/core/LabelList.h"

#include <algorithm>

namespace vendrel::commands {

bool LabelList::Contains(const std::wstring& name) const {
  return std::find(names_.begin(), names_.end(), name) != names_.end();
}

void LabelList::RemoveFirst(const std::wstring& name) {
  const auto found = std::find(names_.begin(), names_.end(), name);
  if (found != names_.end()) names_.erase(found);
}

}  // namespace vendrel::commands
