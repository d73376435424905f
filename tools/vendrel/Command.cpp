// One run of a subcommand.
#include "tools/vendrel/Command.h"

#include <algorithm>

#include "tools/vendrel/Platform.h"
#include "tools/vendrel/Session.h"

namespace vendrel::tools {

std::string Synopsis(const CommandForm& form) {
  std::string synopsis = form.name;
  if (*form.arguments) synopsis += std::string(" ") + form.arguments;
  for (const OptionForm& option : form.options) {
    std::string shown = option.name;
    if (option.value) shown += std::string(" ") + option.value;
    synopsis += option.required ? " " + shown : " [" + shown + "]";
  }
  return synopsis;
}

Call::Call(const CommandForm& form, const Options& options, Console& console)
    : form_(form), options_(options), console_(console) {}

Call::~Call() = default;

VaultHost& Call::Host() {
  VaultHost& host = Reader();
  session_->LoadAddIn();
  return host;
}

VaultHost& Call::Reader() {
  if (!session_) session_ = std::make_unique<Session>(options_, console_, given_.dryRun);
  return session_->Host();
}

std::unique_ptr<platform::Registry> Call::Registry(bool toRead) const {
  if (options_.vault) UseVaultFolder(*options_.vault);
  const std::filesystem::path file = RegistryFile();
  if (toRead && !file.empty() && !std::filesystem::exists(file)) return nullptr;
  return MachineRegistry();
}

const VaultCopy* Call::DryRun() const {
  return session_ ? session_->Copy() : nullptr;
}

int Call::Finish(int code) {
  if (!failed_) failed_ = session_ && session_->Host().Failed();
  return *failed_ ? std::max(code, kExitFailed) : code;
}

UsageError Call::Misused() const {
  return UsageError("usage: vendrel " + Synopsis(form_));
}

}  // namespace vendrel::tools
