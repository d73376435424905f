// Wait: one pass every 50 ms that tests, delivers the waiting window's messages and sleeps.
#include "commands/system/CmdWait.h"

#include "actions/ActionData.h"
#include "commands/core/VarHandler.h"
#include "commands/system/CRunWaitDlg.h"
#include "commands/system/CWaitDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

// Whether the condition holds now; a condition without a test never holds.
bool Met(std::int32_t condition, const std::wstring& path, VarHandler& variables,
         platform::FileSystem* files) {
  switch (condition) {
    case kFileCreated:
      return files != nullptr && files->AnyMatch(path);
    case kFileDeleted:
      return files == nullptr || !files->AnyMatch(path);
    case kRegistryValueSet: {
      const std::wstring value = variables.RegistryValue(path);
      return !value.empty() && value != kNotAvailable;
    }
    default:
      return false;
  }
}

}  // namespace

CmdWait::CmdWait(actions::Action* owner)
    : FieldCmd(owner),
      conditions_{{kFileCreated, strings::Load(69, L"File is created")},
                  {kFileDeleted, strings::Load(70, L"File is deleted")},
                  {kRegistryValueSet, strings::Load(71, L"Registry value is set")}} {}

std::wstring CmdWait::Summarize(const Fields& fields) const {
  const auto text = conditions_.find(fields.condition);
  return strings::Load(72, L"WAIT until ") +
         (text == conditions_.end() ? std::wstring() : text->second);
}

bool CmdWait::Edit(platform::Window parent) {
  return EditWith(CWaitDlg(*this), parent);
}

bool CmdWait::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring path = variables.Expand(fields_.path, false);
  CRunWaitDlg dialog(path, fields_.condition);
  platform::DialogRunner* dialogs = run.Service(&platform::Services::dialogs);
  // The window has no owner: the host's windows get no messages while it waits.
  std::unique_ptr<platform::ModelessDialog> window = dialogs ? dialogs->Show(dialog, 0) : nullptr;
  platform::Clock* clock = run.Service(&platform::Services::clock);
  const bool testable = fields_.condition == kFileCreated || fields_.condition == kFileDeleted ||
                        fields_.condition == kRegistryValueSet;
  while (testable) {
    const bool met =
        Met(fields_.condition, path, variables, run.Service(&platform::Services::files));
    if (window) window->DeliverMessages();
    if (dialog.Cancelled()) return false;
    if (clock) clock->Sleep(kPollMilliseconds);
    if (met) break;
  }
  return true;
}

}  // namespace vendrel::commands
