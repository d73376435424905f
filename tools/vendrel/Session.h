// One run of a vault command: who answers the dialogs, and the host with the add-in loaded.
#pragma once

#include <memory>

#include "platform/posix/Answerers.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

class Session {
 public:
  // Throws UsageError without a vault. The trace goes to the output unless it is JSON.
  Session(const Options& options, Console& console);
  VaultHost& Host() { return *host_; }

 private:
  std::unique_ptr<platform::Answerer> answerer_;
  std::unique_ptr<VaultHost> host_;
};

// Answers from the file, else from the person at the terminal, else each box's dismiss answer
// with a note on the error stream.
std::unique_ptr<platform::Answerer> MakeAnswerer(const Options& options, Console& console);

}  // namespace vendrel::tools
