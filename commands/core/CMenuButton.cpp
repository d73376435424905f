// The variable-insertion button: its two menus, the insertion at the selection and the patterns.
#include "commands/core/CMenuButton.h"

#include <algorithm>

#include "actions/Action.h"
#include "commands/core/CSetVariablesDlg.h"
#include "commands/core/CmdSetVar.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

using platform::MenuItem;

struct Insertion {
  std::int32_t id;
  const wchar_t* text;
};

// The ids from 101 are the variable types of the built-in names.
constexpr Insertion kInsertions[] = {
    {10, L"Left(abc, 2)"},
    {11, L"Right(abc, 2)"},
    {12, L"Mid(abc, 1, 2)"},
    {13, L"Length(abc)"},
    {14, L"Reverse(abc)"},
    {15, L"Find(abc, b)"},
    {16, L"ReverseFind(abc, b)"},
    {17, L"CurrentTime(%%Y-%%m-%%d %%H:%%M:%%S)"},
    {20, L"Add(3, 2)"},
    {21, L"Sub(3, 2)"},
    {101, L"%NameOfLoggedInUser%"},
    {102, L"%NameOfSelectedFile%"},
    {103, L"%PathToSelectedFile%"},
    {104, L"%NameOfCurrentFolder%"},
    {105, L"%CurrentFolderPath%"},
    {106, L"%RootFolderPath%"},
    {107, L"%SelectedFileCurrentWorkflowState%"},
    {109, L"%NameOfUserCreatedFile%"},
    {110, L"%CurrentVersionOfFile%"},
    {111, L"%CurrentRevisionOfFile%"},
    {112, L"%TimeFileCreated%"},
    {113, L"%TimeFileModified%"},
    {117, L"%DirOfSelectedFile%"},
    {118, L"%CurrentConfig%"},
    {120, L"%NameOfCurrentVault%"},
};

MenuItem Localized(std::int32_t stringId, const wchar_t* english, std::int32_t menuId) {
  return MenuItem::Item(strings::Load(stringId, english), menuId);
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
  for (const Insertion& entry : kInsertions) insertions_[entry.id] = entry.text;
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
    user.push_back(Localized(117, L"Edit Variables...", kEditVariables));
  }
  return {
      MenuItem::Submenu(strings::Load(118, L"String Functions"),
                        {MenuItem::Item(L"Left", 10), MenuItem::Item(L"Right", 11),
                         MenuItem::Item(L"Mid", 12), MenuItem::Item(L"Length", 13),
                         MenuItem::Item(L"Reverse", 14), MenuItem::Item(L"Find", 15),
                         MenuItem::Item(L"ReverseFind", 16), MenuItem::Item(L"CurrentTime", 17)}),
      MenuItem::Submenu(strings::Load(119, L"Arithmetic Functions"),
                        {MenuItem::Item(L"Add", 20), MenuItem::Item(L"Sub", 21)}),
      MenuItem::Separator(),
      MenuItem::Submenu(strings::Load(120, L"User Variables"), std::move(user)),
      MenuItem::Submenu(strings::Load(133, L"Selected File"),
                        {Localized(61, L"Name of selected file(s)", 102),
                         Localized(60, L"Path to selected file(s)", 103),
                         Localized(114, L"Directory of selected file(s)", 117),
                         Localized(54, L"Current revision of selected file(s)", 111),
                         Localized(55, L"Current version of selected file(s)", 110),
                         Localized(58, L"Selected file(s) current workflow state", 107),
                         Localized(56, L"Name of user who created selected file(s)", 109),
                         Localized(53, L"Time when selected file(s) was created", 112),
                         Localized(52, L"Time when selected file(s) was modified", 113),
                         Localized(138, L"Current configuration", 118)}),
      MenuItem::Separator(),
      Localized(110, L"Path to Kalvano root folder", 106),
      Localized(101, L"Path to current folder", 105),
      Localized(59, L"Name of current folder", 104),
      Localized(155, L"Name of current vault", 120),
      MenuItem::Separator(),
      Localized(62, L"Name of logged-in user", 101),
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
