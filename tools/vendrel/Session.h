// One run of a vault command: who answers the dialogs, and the host with the add-in loaded.
#pragma once

#include <memory>

#include "tools/vendrel/Answers.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/workbench/VaultCopy.h"

namespace vendrel::tools {

class Session {
 public:
  // Throws UsageError without a vault. The trace goes to the output unless it is JSON. A dry
  // run works on a throwaway copy of the vault.
  Session(const Options& options, Console& console, bool dryRun = false);
  // Loads the add-in, once. Throws UsageError on a read-only vault: the add-in's load writes.
  void LoadAddIn();
  ~Session();
  VaultHost& Host() { return *host_; }
  // The copy of a dry run, else null.
  const VaultCopy* Copy() const { return copy_.get(); }

 private:
  Answers answers_;
  std::unique_ptr<VaultCopy> copy_;  // outlives the host that works on it
  std::unique_ptr<VaultHost> host_;
  std::ostream& err_;
  std::filesystem::path folder_;
  bool loaded_ = false;
};

}  // namespace vendrel::tools
