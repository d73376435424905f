// The base of the command kinds made of a fields struct: the struct's walk stores the command,
// and the summary is rebuilt from the fields whenever they change.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "commands/core/Cmd.h"
#include "commands/core/Fields.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

// `FieldsT` has `void Visit(FieldVisitor&)` over its stored fields and `operator==`.
template <class FieldsT, std::int32_t Type>
class FieldCmd : public Cmd, public lexicor::StrWnd {
 public:
  using Fields = FieldsT;
  static constexpr std::int32_t kType = Type;

  const Fields& Values() const { return fields_; }
  // Takes the editor's values and rebuilds the summary from them.
  void Assign(Fields fields) {
    fields_ = std::move(fields);
    SetSummary(Summarize(fields_));
  }
  void VisitFields(FieldVisitor& visitor) override { fields_.Visit(visitor); }

 protected:
  explicit FieldCmd(actions::Action* owner) : Cmd(Type) { SetUp(owner); }

  virtual std::wstring Summarize(const Fields& fields) const = 0;
  // Shows the editor made from this command and takes its values on OK.
  template <class Editor>
  bool EditWith(Editor&& dialog, platform::Window parent) {
    if (!ShowEditor(dialog, parent)) return false;
    Assign(dialog.Values());
    return true;
  }

  Fields fields_;
};

}  // namespace vendrel::commands
