// One run of a vault command: who answers the dialogs, and the host with the add-in loaded.
#pragma once

#include <memory>

#include "tools/vendrel/Answers.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

class Session {
 public:
  // Throws UsageError without a vault. The trace goes to the output unless it is JSON.
  Session(const Options& options, Console& console);
  VaultHost& Host() { return *host_; }

 private:
  Answers answers_;
  std::unique_ptr<VaultHost> host_;
};

}  // namespace vendrel::tools
