// The variable-insertion button: its two menus, the insertion at the selection and the patterns.
#include "commands/core/CMenuButton.h"

#include <algorithm>

#include "actions/Action.h"
#include "commands/core/CSetVariablesDlg.h"
#include "commands/core/CmdSetVar.h"
#include "commands/core/VariableKinds.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::MenuItem;

enum class FunctionGroup { kString, kArithmetic };

struct TextFunction {
  std::int32_t id;  // the menu id
  const wchar_t* label;
  const wchar_t* insertion;
  FunctionGroup group;
};

// The built-in variables use their kinds' values as menu ids, from 101.
constexpr TextFunction kTextFunctions[] = {
    {10, L"Left", L"Left(abc, 2)", FunctionGroup::kString},
    {11, L"Right", L"Right(abc, 2)", FunctionGroup::kString},
    {12, L"Mid", L"Mid(abc, 1, 2)", FunctionGroup::kString},
    {13, L"Length", L"Length(abc)", FunctionGroup::kString},
    {14, L"Reverse", L"Reverse(abc)", FunctionGroup::kString},
    {15, L"Find", L"Find(abc, b)", FunctionGroup::kString},
    {16, L"ReverseFind", L"ReverseFind(abc, b)", FunctionGroup::kString},
    {17, L"CurrentTime", L"CurrentTime(%%Y-%%m-%%d %%H:%%M:%%S)", FunctionGroup::kString},
    {20, L"Add", L"Add(3, 2)", FunctionGroup::kArithmetic},
    {21, L"Sub", L"Sub(3, 2)", FunctionGroup::kArithmetic},
};

platform::Menu Functions(FunctionGroup group) {
  platform::Menu menu;
  for (const TextFunction& function : kTextFunctions) {
    if (function.group == group) menu.push_back(MenuItem::Item(function.label, function.id));
  }
  return menu;
}

// The entry that inserts the built-in variable of `type`.
MenuItem BuiltIn(Variable::VariableType type) {
  return MenuItem::Item(KindOf(type).Text(), type);
}

void AddPattern(glyphex::Blob& pattern, const std::wstring& reference) {
  const std::wstring name = reference.substr(1, reference.size() - 2);
  pattern.mvAddPattern(reference, false, name, name, name);
}

bool IsReference(const std::wstring& text) {
  return text.size() >= 2 && text.front() == L'%' && text.back() == L'%';
}

}  // namespace

CMenuButton::CMenuButton(actions::Action* action, host::Ref<host::VaultSession> vault,
                         std::int32_t target)
    : target_(target),
      action_(action),
      variables_(action ? &action->variables : nullptr),
      vault_(std::move(vault)) {
  FillInsertionTable();
}

CMenuButton::CMenuButton(actions::Action* action, host::Ref<host::VaultSession> vault,
                         std::int32_t target, glyphex::Blob* pattern)
    : CMenuButton(action, std::move(vault), target) {
  pattern_ = pattern;
  RegisterPatterns();
}

CMenuButton::CMenuButton(CSetVariablesDlg* editor, host::Ref<host::VaultSession> vault,
                         std::int32_t target)
    : target_(target), editor_(editor), vault_(std::move(vault)) {
  FillInsertionTable();
}

void CMenuButton::FillInsertionTable() {
  for (const TextFunction& function : kTextFunctions) insertions_[function.id] = function.insertion;
  for (const VariableKind& kind : VariableKinds()) {
    if (!kind.builtInName.empty())
      insertions_[kind.type] = L"%" + std::wstring(kind.builtInName) + L"%";
  }
}

void CMenuButton::RegisterPatterns() {
  if (!pattern_) return;
  for (const auto& [id, text] : insertions_) {
    if (IsReference(text)) AddPattern(*pattern_, text);
  }
  if (!variables_) return;
  for (const auto& variable : *variables_) AddPattern(*pattern_, L"%" + variable->name + L"%");
}

platform::Menu CMenuButton::VariableMenu() const {
  platform::Menu user;
  if (variables_) {
    std::int32_t id = kFirstListed;
    for (const auto& variable : *variables_) user.push_back(MenuItem::Item(variable->name, id++));
  }
  if (action_) {
    if (!user.empty()) user.push_back(MenuItem::Separator());
    user.push_back(MenuItem::Item(strings::Load(117, L"Edit Variables..."), kEditVariables));
  }
  return {
      MenuItem::Submenu(strings::Load(118, L"String Functions"), Functions(FunctionGroup::kString)),
      MenuItem::Submenu(strings::Load(119, L"Arithmetic Functions"),
                        Functions(FunctionGroup::kArithmetic)),
      MenuItem::Separator(),
      MenuItem::Submenu(strings::Load(120, L"User Variables"), std::move(user)),
      MenuItem::Submenu(
          strings::Load(133, L"Selected File"),
          {BuiltIn(Variable::kSelectedFileName), BuiltIn(Variable::kSelectedFilePath),
           BuiltIn(Variable::kSelectedFileFolder), BuiltIn(Variable::kCurrentRevision),
           BuiltIn(Variable::kCurrentVersion), BuiltIn(Variable::kWorkflowState),
           BuiltIn(Variable::kCreatedBy), BuiltIn(Variable::kTimeCreated),
           BuiltIn(Variable::kTimeModified), BuiltIn(Variable::kCurrentConfig)}),
      MenuItem::Separator(),
      BuiltIn(Variable::kRootFolderPath),
      BuiltIn(Variable::kCurrentFolderPath),
      BuiltIn(Variable::kCurrentFolderName),
      BuiltIn(Variable::kVaultName),
      MenuItem::Separator(),
      BuiltIn(Variable::kLoggedInUser),
  };
}

platform::Menu CMenuButton::EnvironmentMenu(const std::vector<std::wstring>& names) const {
  platform::Menu menu;
  std::int32_t id = kFirstListed;
  for (const std::wstring& name : names) menu.push_back(MenuItem::Item(name, id++));
  return menu;
}

void CMenuButton::OnClicked(platform::DialogSurface& ui, platform::Services* services) {
  if (editor_) {
    editor_->WriteBack(false);
    variables_ = &editor_->Variables();
  }
  if (mode_ == kEnvironmentMode) {
    std::vector<std::wstring> names;
    if (services && services->environment) {
      for (const std::wstring& entry : services->environment->Block()) {
        // Names end at the first "="; the drive entries of the block start with one.
        const std::wstring name = entry.substr(0, entry.find(L'='));
        if (!name.empty()) names.push_back(name);
      }
    }
    const std::int32_t chosen = ui.TrackMenu(EnvironmentMenu(names), button_);
    const std::int32_t index = chosen - kFirstListed;
    if (chosen != 0 && index >= 0 && static_cast<std::size_t>(index) < names.size())
      Insert(ui, names[static_cast<std::size_t>(index)]);
    return;
  }

  const std::int32_t chosen = ui.TrackMenu(VariableMenu(), button_);
  if (chosen == 0) return;
  if (const auto fixed = insertions_.find(chosen); fixed != insertions_.end()) {
    Insert(ui, fixed->second);
  } else if (chosen == kEditVariables) {
    EditVariables(ui, services);
  } else if (const std::int32_t index = chosen - kFirstListed;
             variables_ && index >= 0 && static_cast<std::size_t>(index) < variables_->size()) {
    const std::wstring reference =
        L"%" + (*variables_)[static_cast<std::size_t>(index)]->name + L"%";
    Insert(ui, reference);
    if (pattern_) AddPattern(*pattern_, reference);
  }
}

void CMenuButton::Insert(platform::DialogSurface& ui, const std::wstring& text) const {
  if (pattern_) {
    ui.ReplaceSelection(pattern_->ControlId(), text);
    ui.Focus(pattern_->ControlId());
    return;
  }
  const platform::EditSelection selection = ui.Selection(target_);
  std::wstring field = ui.Text(target_);
  const auto clamp = [&field](std::int32_t at) {
    return std::min(static_cast<std::size_t>(std::max(at, 0)), field.size());
  };
  const std::size_t start = clamp(std::min(selection.start, selection.end));
  const std::size_t end = clamp(std::max(selection.start, selection.end));
  field.erase(start, end - start);
  field.insert(start, text);
  ui.SetText(target_, field);
  const auto caret = static_cast<std::int32_t>(start + text.size());
  ui.SetSelection(target_, {caret, caret});
  ui.Focus(target_);
}

void CMenuButton::EditVariables(platform::DialogSurface& ui, platform::Services* services) const {
  CmdSetVar editor(action_);
  editor.SetVault(vault_.Get());
  editor.SetServices(services);
  editor.Edit(ui.Handle());
}

}  // namespace vendrel::commands
