// The conditional jump: its summary, stored form, condition and label search.
#include "commands/core/CmdJump.h"

#include <cwchar>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CommandList.h"
#include "commands/core/VarHandler.h"
#include "host/Status.h"
#include "host/Strings.h"
#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

// As the C library reads a number: leading blanks, then as much as forms one; none reads as 0.
double Number(const std::wstring& text) {
  return std::wcstod(text.c_str(), nullptr);
}

}  // namespace

CmdJump::CmdJump(actions::Action* owner) : Cmd(kJumpType) {
  SetUp(owner);
}

bool CmdJump::Edit(platform::Window parent) {
  CJumpDlg dialog(condition_, Labels(), Owner(), Vault(), Services());
  if (!ShowEditor(dialog, parent)) return false;
  condition_ = dialog.Condition();
  SetSummary(Describe());
  return true;
}

std::wstring CmdJump::Describe() const {
  const std::wstring goTo = strings::Load(37, L" THEN GOTO ") + condition_.label;
  if (condition_.op == JumpCondition::kAlways)
    return strings::Load(35, L"IF ") + strings::Load(36, L" ALWAYS ") + goTo;
  std::wstring op;
  switch (condition_.op) {
    case JumpCondition::kEquals:
      op = L" = ";
      break;
    case JumpCondition::kGreater:
      op = L" > ";
      break;
    case JumpCondition::kGreaterOrEqual:
      op = L" >= ";
      break;
    case JumpCondition::kNotEqual:
      op = L" != ";
      break;
    case JumpCondition::kExistsLocal:
      op = strings::Load(93, L" EXISTS AS FILE ");
      break;
    case JumpCondition::kExistsInVault:
      op = strings::Load(112, L" EXISTS IN VAULT ");
      break;
    default:
      break;
  }
  return strings::Load(35, L"IF ") + condition_.variable + op + condition_.value +
         (condition_.ignoreCase ? strings::Load(111, L" NO_CASE") : std::wstring()) + goTo;
}

void CmdJump::VisitFields(FieldVisitor& v) {
  condition_.Visit(v);
}

bool CmdJump::Holds(actions::ActionData& run) const {
  VarHandler variables(run);
  std::wstring a = variables.Expand(condition_.variable, false);
  std::wstring b = variables.Expand(condition_.value, false);
  if (condition_.ignoreCase) {
    a = platform::UpperCase(std::move(a));
    b = platform::UpperCase(std::move(b));
  }
  switch (condition_.op) {
    case JumpCondition::kAlways:
      return true;
    case JumpCondition::kEquals:
      return a == b;
    case JumpCondition::kNotEqual:
      return a != b;
    case JumpCondition::kGreater:
      return Number(a) > Number(b);
    case JumpCondition::kGreaterOrEqual:
      return Number(a) >= Number(b);
    case JumpCondition::kExistsLocal: {
      platform::FileSystem* files = run.Service(&platform::Services::files);
      return files && files->AnyMatch(a);
    }
    case JumpCondition::kExistsInVault: {
      if (!run.vault) return false;
      host::Ref<host::VaultFile> file;
      host::Ref<host::VaultFolder> folder;
      if (run.vault->GetFileFromPath(a, file, folder) == host::kOk) return true;
      host::Ref<host::VaultFolder> found;
      return run.vault->GetFolderFromPath(a, found) == host::kOk;
    }
    default:
      return false;
  }
}

bool CmdJump::Execute(actions::ActionData& run) {
  if (!Holds(run) || !run.currentAction) return false;
  const actions::Action& action = *run.currentAction;
  const actions::Position label = FindLabel(action, run.nextCommand.value_or(0), condition_.label);
  if (!label) return false;
  run.nextCommand = After(action, *label);
  return true;
}

}  // namespace vendrel::commands
