// Sets of actions as the workbench commands name them: an action file, a JSON file, or "vault"
// for the set the vault stores.
#pragma once

#include <string>
#include <vector>

#include "actions/ActionArchive.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {

class Call;
class VaultHost;

// The vault's stored set in its JSON form; an empty set when it stores none yet.
Json StoredSetJson(VaultHost& host);

// Stores a set in either JSON form as the vault's whole set, as an administrator's OK would.
// Throws JsonError for a faulty set.
void StoreSetJson(VaultHost& host, Json set);

// Actions in the JSON form of an action file.
Json ActionsJson(const actions::ActionList& list);

// The set in its JSON form. Throws UsageError for a file that is neither.
Json LoadSetJson(Call& call, const std::string& source);

// The set as lint takes it: an action file or the vault read through the archive, JSON through
// its adapter. Throws UsageError for a file that is neither.
std::vector<LintSubject> LoadLintSubjects(Call& call, const std::string& source);

// What the vault of --vault tells lint; nothing without a vault.
LintVault LintVaultOf(Call& call);

}  // namespace vendrel::tools
