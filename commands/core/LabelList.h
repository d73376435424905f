// The process-wide list of label names: the action editor fills it, the jump editor offers it.
#pragma once

#include <string>
#include <vector>

namespace vendrel::commands {

class LabelList {
 public:
  // The one list of the process.
  static LabelList& Process();

  void Clear() { names_.clear(); }
  void Add(const std::wstring& name) { names_.push_back(name); }
  bool Contains(const std::wstring& name) const;  // exact, as jumps compare
  void RemoveFirst(const std::wstring& name);
  const std::vector<std::wstring>& Names() const { return names_; }

 private:
  std::vector<std::wstring> names_;
};

}  // namespace vendrel::commands
