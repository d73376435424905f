// The variable editor command and its table of kind texts.
#include "commands/core/CmdSetVar.h"

#include "actions/Action.h"
#include "commands/core/CSetVariablesDlg.h"
#include "commands/core/CmdFactory.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

using Type = actions::Variable::VariableType;

struct TypeText {
  Type type;
  std::int32_t stringId;
  const wchar_t* english;
};

// Kind 119 is no kind and has no text.
constexpr TypeText kTypeTexts[] = {
    {actions::Variable::kStaticText, 63, L"Static string"},
    {actions::Variable::kLoggedInUser, 62, L"Name of logged-in user"},
    {actions::Variable::kSelectedFileName, 61, L"Name of selected file(s)"},
    {actions::Variable::kSelectedFilePath, 60, L"Path to selected file(s)"},
    {actions::Variable::kCurrentFolderName, 59, L"Name of current folder"},
    {actions::Variable::kCurrentFolderPath, 101, L"Path to current folder"},
    {actions::Variable::kRootFolderPath, 110, L"Path to Kalvano root folder"},
    {actions::Variable::kWorkflowState, 58, L"Selected file(s) current workflow state"},
    {actions::Variable::kCardValue, 57, L"Variable value from selected file(s) datacard"},
    {actions::Variable::kCreatedBy, 56, L"Name of user who created selected file(s)"},
    {actions::Variable::kCurrentVersion, 55, L"Current version of selected file(s)"},
    {actions::Variable::kCurrentRevision, 54, L"Current revision of selected file(s)"},
    {actions::Variable::kTimeCreated, 53, L"Time when selected file(s) was created"},
    {actions::Variable::kTimeModified, 52, L"Time when selected file(s) was modified"},
    {actions::Variable::kEnvironment, 51, L"Value of environment variable"},
    {actions::Variable::kRegistry, 50, L"Value of registry variable"},
    {actions::Variable::kRuntime, 49, L"Runtime variable"},
    {actions::Variable::kSelectedFileFolder, 114, L"Directory of selected file(s)"},
    {actions::Variable::kCurrentConfig, 138, L"Current configuration"},
    {actions::Variable::kVaultName, 155, L"Name of current vault"},
};

}  // namespace

CmdSetVar::CmdSetVar(actions::Action* owner) : Cmd(kSetVarType) {
  SetUp(owner);
  for (const TypeText& entry : kTypeTexts)
    typeTexts_[entry.type] = strings::Load(entry.stringId, entry.english);
}

bool CmdSetVar::Edit(platform::Window parent) {
  if (!Owner()) return false;
  CSetVariablesDlg dialog(typeTexts_, Owner()->variables, Vault(), Services());
  if (!ShowEditor(dialog, parent)) return false;
  SetSummary(strings::Load(64, L"Variables ..."));
  return true;
}

}  // namespace vendrel::commands
