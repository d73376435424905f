// The table of variable kinds.
#include "commands/core/VariableKinds.h"

#include <algorithm>
#include <array>

#include "host/Strings.h"

namespace vendrel::commands {
namespace {

using actions::Variable;

constexpr std::array<VariableKind, 20> kKinds{{
    {Variable::kStaticText, L"", 63, L"Static string"},
    {Variable::kLoggedInUser, L"NameOfLoggedInUser", 62, L"Name of logged-in user"},
    {Variable::kSelectedFileName, L"NameOfSelectedFile", 61, L"Name of selected file(s)"},
    {Variable::kSelectedFilePath, L"PathToSelectedFile", 60, L"Path to selected file(s)"},
    {Variable::kCurrentFolderName, L"NameOfCurrentFolder", 59, L"Name of current folder"},
    {Variable::kCurrentFolderPath, L"CurrentFolderPath", 101, L"Path to current folder"},
    {Variable::kRootFolderPath, L"RootFolderPath", 110, L"Path to Kalvano root folder"},
    {Variable::kWorkflowState, L"SelectedFileCurrentWorkflowState", 58,
     L"Selected file(s) current workflow state"},
    {Variable::kCardValue, L"", 57, L"Variable value from selected file(s) datacard"},
    {Variable::kCreatedBy, L"NameOfUserCreatedFile", 56,
     L"Name of user who created selected file(s)"},
    {Variable::kCurrentVersion, L"CurrentVersionOfFile", 55,
     L"Current version of selected file(s)"},
    {Variable::kCurrentRevision, L"CurrentRevisionOfFile", 54,
     L"Current revision of selected file(s)"},
    {Variable::kTimeCreated, L"TimeFileCreated", 53, L"Time when selected file(s) was created"},
    {Variable::kTimeModified, L"TimeFileModified", 52, L"Time when selected file(s) was modified"},
    {Variable::kEnvironment, L"", 51, L"Value of environment variable"},
    {Variable::kRegistry, L"", 50, L"Value of registry variable"},
    {Variable::kRuntime, L"", 49, L"Runtime variable"},
    {Variable::kSelectedFileFolder, L"DirOfSelectedFile", 114, L"Directory of selected file(s)"},
    {Variable::kCurrentConfig, L"CurrentConfig", 138, L"Current configuration"},
    {Variable::kVaultName, L"NameOfCurrentVault", 155, L"Name of current vault"},
}};

constexpr VariableKind kNoKind{Variable::kNoKind, L"", 0, L""};

}  // namespace

std::wstring VariableKind::Text() const {
  return stringId == 0 ? std::wstring() : strings::Load(stringId, english);
}

std::span<const VariableKind> VariableKinds() {
  return kKinds;
}

const VariableKind& KindOf(Variable::VariableType type) {
  const auto kind = std::find_if(kKinds.begin(), kKinds.end(),
                                 [type](const VariableKind& entry) { return entry.type == type; });
  return kind == kKinds.end() ? kNoKind : *kind;
}

}  // namespace vendrel::commands
