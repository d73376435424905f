// Opening a vault for one command.
#include "tools/vendrel/Session.h"

#include <filesystem>

namespace vendrel::tools {

Session::Session(const Options& options, Console& console, bool dryRun)
    : answers_(options, console) {
  if (!options.vault) throw UsageError("no vault: give --vault DIR or set VENDREL_VAULT");
  if (!std::filesystem::exists(DatabaseOf(*options.vault))) {
    throw UsageError("no vault in " + options.vault->string());
  }
  if (dryRun) copy_ = std::make_unique<VaultCopy>(*options.vault);
  host_ =
      std::make_unique<VaultHost>(copy_ ? copy_->Folder() : *options.vault, options.user,
                                  options.computer, answers_, options.json ? nullptr : &console.out,
                                  copy_ ? sim::Durability::kThrowaway : sim::Durability::kSynced);
  host_->GetTrace().ListAllDocuments(options.full);
  host_->LoadAddIn();
}

Session::~Session() = default;

}  // namespace vendrel::tools
