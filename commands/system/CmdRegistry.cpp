// Write registry value: the path splits as registry variables read it; DWORDs read like wcstol.
#include "commands/system/CmdRegistry.h"

#include "actions/Number.h"
#include "commands/core/RegistryPath.h"
#include "commands/core/VarHandler.h"
#include "commands/system/CRegistryDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {

std::wstring CmdRegistry::Summarize(const Fields& fields) const {
  std::wstring summary = fields.keyPath + L" : " + fields.value;
  switch (fields.kind) {
    case kString:
      summary += strings::Load(44, L" (String)");
      break;
    case kBinary:
      summary += strings::Load(45, L" (Binary)");
      break;
    case kDword:
      summary += strings::Load(46, L" (DWORD)");
      break;
    default:
      break;
  }
  return summary;
}

bool CmdRegistry::Edit(platform::Window parent) {
  return EditWith(CRegistryDlg(*this), parent);
}

bool CmdRegistry::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring keyPath = variables.Expand(fields_.keyPath, false);
  const std::wstring value = variables.Expand(fields_.value, false);
  const std::optional<RegistryPath> where = SplitRegistryPath(keyPath);
  if (!where) return false;
  platform::Registry* registry = run.services ? run.services->registry : nullptr;
  if (registry == nullptr) return true;
  if (fields_.kind == kString) {
    registry->Write(where->root, where->subkey, where->name, value);
  } else if (fields_.kind == kDword) {
    const auto number = static_cast<std::uint32_t>(actions::ReadNumber(value));
    registry->Write(where->root, where->subkey, where->name, number);
  }
  return true;
}

}  // namespace vendrel::commands
