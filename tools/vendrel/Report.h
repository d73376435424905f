// What a host operation ended in, as a line or as JSON, and the exit code that follows it.
#pragma once

#include <string>
#include <vector>

#include "tools/vendrel/Host.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {

class Call;

// What a failure status means, in the vault's words where it has them: "text (0x80040213)".
std::string ErrorText(VaultHost& host, host::HResult code);

// Reports the outcome of `operation` and the vault files of `paths` afterwards; 1 when the
// add-in or the vault refused.
int Report(Call& call, const std::string& operation, const Outcome& outcome,
           const std::vector<std::wstring>& paths);
// The same for files found before the operation: while `since` sees no change to the vault,
// they are not looked up again.
int Report(Call& call, const std::string& operation, const Outcome& outcome,
           const std::vector<FileRef>& files, const VaultMark& since);

}  // namespace vendrel::tools
