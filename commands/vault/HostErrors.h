// The texts a user reads for the host's status codes.
#pragma once

#include <string>

#include "host/Status.h"
#include "host/Vault.h"
#include "platform/System.h"

namespace vendrel::actions {
class ActionData;
}

namespace vendrel::commands {

// The host's description of `code` in the user's language, from its string files when the vault
// gives them, else the English default; codes the host does not know get the system's text.
// Never empty. `vault` and `machine` may be null.
std::wstring DescribeHostCode(host::HResult code, host::VaultSession* vault,
                              platform::Machine* machine);
// The same with the run's vault and machine.
std::wstring DescribeHostCode(actions::ActionData& run, host::HResult code);

// The standard COM error text: the system's message for `code`, else "IDispatch error #n" for
// the dispatch range, else "Unknown error 0x...".
std::wstring ComErrorText(host::HResult code, platform::Machine* machine);

}  // namespace vendrel::commands
