// Lint's checks of variables: references to nothing, runtime values read before they are set,
// and values that refer to themselves.
#include <algorithm>
#include <set>

#include "commands/core/VariableKinds.h"
#include "commands/vault/CmdSetCardVar.h"
#include "platform/CaseFold.h"
#include "tools/vendrel/workbench/LintChecks.h"

namespace vendrel::tools::lint {
namespace {

using actions::Variable;

// The names referred to in a text, found as the expansion finds them: "%%" is a percent sign,
// an unmatched "%" stays text.
std::vector<std::wstring> References(const std::wstring& text) {
  std::vector<std::wstring> names;
  std::size_t at = text.find(L'%');
  while (at != std::wstring::npos) {
    const std::size_t end = text.find(L'%', at + 1);
    if (end == std::wstring::npos) break;
    if (end > at + 1) names.push_back(text.substr(at + 1, end - at - 1));
    at = text.find(L'%', end + 1);
  }
  return names;
}

// The action's variable a reference evaluates, as the expansion looks it up.
const Variable* UserVariable(const actions::Action& action, const std::wstring& name) {
  for (const auto& variable : action.variables) {
    if (variable && variable->name == name) {
      return variable->type == Variable::kNoKind ? nullptr : variable.get();
    }
  }
  return nullptr;
}

bool Declared(const actions::Action& action, const std::wstring& name) {
  return std::any_of(action.variables.begin(), action.variables.end(),
                     [&](const auto& variable) { return variable && variable->name == name; });
}

bool BuiltIn(const std::wstring& name) {
  const auto kinds = commands::VariableKinds();
  return std::any_of(kinds.begin(), kinds.end(), [&](const commands::VariableKind& kind) {
    return !kind.builtInName.empty() && kind.builtInName == name;
  });
}

// The vault's card variable of that name, in any case; null when it has none.
const host::CardVariableInfo* CardVariable(const LintVault& vault, const std::wstring& name) {
  const auto& cards = *vault.cardVariables;
  const auto found = std::find_if(cards.begin(), cards.end(), [&](const auto& card) {
    return platform::SameIgnoringCase(card.name, name);
  });
  return found == cards.end() ? nullptr : &*found;
}

bool Known(const std::wstring& name, const actions::Action& action, const LintVault& vault) {
  if (UserVariable(action, name) || BuiltIn(name) || !vault.cardVariables) return true;
  return CardVariable(vault, name) != nullptr;
}

// The references in a variable's own value, which the expansion follows in turn.
std::vector<std::wstring> ValueReferences(const Variable& variable) {
  switch (variable.type) {
    case Variable::kStaticText:
    case Variable::kRuntime:
    case Variable::kEnvironment:
      return References(variable.value);
    default:
      return {};
  }
}

// The way back to `name` from the references of its value, empty when there is none.
bool PathBack(const actions::Action& action, const std::wstring& name, const Variable& from,
              std::vector<std::wstring>& path) {
  for (const std::wstring& next : ValueReferences(from)) {
    if (std::find(path.begin(), path.end(), next) != path.end()) continue;
    path.push_back(next);
    if (next == name) return true;
    const Variable* variable = UserVariable(action, next);
    if (variable && PathBack(action, name, *variable, path)) return true;
    path.pop_back();
  }
  return false;
}

}  // namespace

void CheckSelfReferences(const Subject& subject, const LintVault&, Findings& findings) {
  std::set<std::wstring> reported;
  for (const auto& variable : subject.action.variables) {
    if (!variable || reported.count(variable->name) ||
        UserVariable(subject.action, variable->name) != variable.get()) {
      continue;
    }
    std::vector<std::wstring> path;
    if (!PathBack(subject.action, variable->name, *variable, path)) continue;
    std::wstring through;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) through += L" through %" + path[i] + L"%";
    findings.Add(Severity::kError, L"the value of the variable " + Quoted(variable->name) +
                                       L" refers to itself" + through +
                                       L", so it never expands in full");
    reported.insert(path.begin(), path.end());
  }
}

void CheckReferences(const Subject& subject, const LintVault& vault, Findings& findings) {
  const actions::Action& action = subject.action;
  std::set<std::wstring> set;
  std::set<std::wstring> reportedUnset;
  for (std::size_t i = 0; i < subject.texts.size(); ++i) {
    std::set<std::wstring> reportedHere;
    for (const std::wstring& text : subject.texts[i].expanded) {
      for (const std::wstring& name : References(text)) {
        if (!reportedHere.insert(name).second) continue;
        if (!Known(name, action, vault)) {
          findings.Add(Severity::kWarning, i,
                       L"refers to %" + name +
                           L"%, which is neither a variable of the action, a built-in name nor "
                           L"a card variable of the vault");
          continue;
        }
        const Variable* variable = UserVariable(action, name);
        if (variable && variable->type == Variable::kRuntime && variable->value.empty() &&
            !set.count(name) && reportedUnset.insert(name).second) {
          findings.Add(
              Severity::kWarning, i,
              L"reads the runtime variable " + Quoted(name) + L" before any command sets it");
        }
      }
    }
    if (!subject.texts[i].sets.empty()) set.insert(subject.texts[i].sets);
  }
}

void CheckLostAnswers(const Subject& subject, const LintVault&, Findings& findings) {
  for (std::size_t i = 0; i < subject.texts.size(); ++i) {
    const std::wstring& sets = subject.texts[i].sets;
    if (sets.empty() || Declared(subject.action, sets)) continue;
    findings.Add(Severity::kWarning, i,
                 L"keeps its answer in " + Quoted(sets) +
                     L", which is not a variable of the action, so the answer is lost");
  }
}

void CheckCardWrites(const Subject& subject, const LintVault& vault, Findings& findings) {
  if (!vault.cardVariables) return;
  for (std::size_t i = 0; i < subject.action.commands.size(); ++i) {
    const auto* write =
        dynamic_cast<const commands::CmdSetCardVar*>(subject.action.commands[i].get());
    if (!write) continue;
    const commands::SetCardVarFields& fields = write->Values();
    const host::CardVariableInfo* card = CardVariable(vault, fields.variableName);
    if (!card) {
      findings.Add(Severity::kError, i,
                   L"writes the card variable " + Quoted(fields.variableName) +
                       L", which the vault does not have, so the command fails");
    } else if (card->type != fields.variableType) {
      findings.Add(Severity::kError, i,
                   L"writes the card variable " + Quoted(fields.variableName) + L" as type " +
                       std::to_wstring(fields.variableType) + L", but the vault's is of type " +
                       std::to_wstring(card->type) + L", so the command fails");
    }
  }
}

}  // namespace vendrel::tools::lint
