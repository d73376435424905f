// The label names the action editor knows while it is open: it fills the list and hands it to
// the commands' editors; the label editor adds to it, the jump editor offers it.
#pragma once

#include <string>
#include <vector>

namespace vendrel::commands {

class LabelList {
 public:
  void Clear() { names_.clear(); }
  void Add(const std::wstring& name) { names_.push_back(name); }
  bool Contains(const std::wstring& name) const;  // exact, as jumps compare
  void RemoveFirst(const std::wstring& name);
  const std::vector<std::wstring>& Names() const { return names_; }

 private:
  std::vector<std::wstring> names_;
};

}  // namespace vendrel::commands
