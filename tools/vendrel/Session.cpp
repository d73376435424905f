// Opening a vault for one command.
#include "tools/vendrel/Session.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

#include "addin/RunLogger.h"
#include "tools/vendrel/workbench/ActionSets.h"

namespace vendrel::tools {

Session::Session(const Options& options, Console& console, bool dryRun)
    : answers_(options, console), err_(console.err) {
  if (!options.vault) throw UsageError("no vault: give --vault DIR or set VENDREL_VAULT");
  if (!std::filesystem::exists(DatabaseOf(*options.vault))) {
    throw UsageError("no vault in " + options.vault->string() + "; make one with vendrel init " +
                     options.vault->string());
  }
  if (dryRun) copy_ = std::make_unique<VaultCopy>(*options.vault);
  host_ =
      std::make_unique<VaultHost>(copy_ ? copy_->Folder() : *options.vault, options.user,
                                  options.computer, answers_, options.json ? nullptr : &console.out,
                                  copy_ ? sim::Durability::kThrowaway : sim::Durability::kSynced);
  host_->GetTrace().ListAllDocuments(options.full);
  folder_ = *options.vault;
}

void Session::LoadAddIn() {
  if (loaded_) return;
  if (host_->Vault().ReadOnly()) {
    throw UsageError("the vault in " + folder_.string() +
                     " is read-only (a read-only mount or a write-protected copy): ls, actions, "
                     "show, export, lint and diff can read it; nothing was changed");
  }
  host_->LoadAddIn();
  loaded_ = true;
  // The add-in says nothing of stored actions it could not load, and runs none of them: the
  // user of this host is told. A load that registered actions went well, so the stored set is
  // read a second time only when nothing but the administration command was registered.
  const Registrations& registered = host_->Registered();
  const bool loadedActions =
      !registered.hooks.empty() ||
      std::any_of(registered.menus.begin(), registered.menus.end(),
                  [](const MenuEntry& m) { return m.id != actions::kAdminCommandId; });
  if (loadedActions) return;
  actions::ActionSet set;
  std::optional<Unreadable> why = ReadStoredSet(*host_, set);
  const bool registers = std::any_of(set.actions.begin(), set.actions.end(),
                                     [](const auto& a) { return a && a->activationKinds != 0; });
  // Actions it should have registered tell a failed lock.
  if (!why && registers) why = LockFailure(*host_);
  if (!why) return;
  const std::string told = UnreadableText(*why, "no action runs");
  err_ << "vendrel: warning: " << told << "\n";
  addin::AppendRunLogNote(host_->Services(), Wide(told));
}

Session::~Session() = default;

}  // namespace vendrel::tools
