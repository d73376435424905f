// The kinds of variable: the built-in name each evaluates under and the text that describes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "actions/Variable.h"

namespace vendrel::commands {

struct VariableKind {
  actions::Variable::VariableType type;
  // Empty for the kinds only a user variable can have.
  std::wstring_view builtInName;
  std::int32_t stringId;
  const wchar_t* english;

  // The description in the current language, as the variable editor and the menus show it.
  std::wstring Text() const;
};

// Every kind but "no kind", in the order of their values. The evaluator, the insertion menu and
// the variable editor's list of kinds all read this one table.
std::span<const VariableKind> VariableKinds();

// The entry of `type`; its built-in name and text are empty for "no kind" and unknown values.
const VariableKind& KindOf(actions::Variable::VariableType type);

}  // namespace vendrel::commands
