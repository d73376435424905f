// One run of a subcommand.
#include "tools/vendrel/Command.h"

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

std::optional<std::string> Call::Value(std::string_view option) const {
  for (const auto& [name, value] : values_) {
    if (name == option) return value;
  }
  return std::nullopt;
}

std::vector<std::string> Call::Values(std::string_view option) const {
  std::vector<std::string> values;
  for (const auto& [name, value] : values_) {
    if (name == option) values.push_back(value);
  }
  return values;
}

bool Call::Has(std::string_view flag) const {
  return Value(flag).has_value();
}

VaultHost& Call::Host() {
  if (!session_) session_ = std::make_unique<Session>(options_, console_, Has("--dry-run"));
  return session_->Host();
}

const VaultCopy* Call::DryRun() const {
  return session_ ? session_->Copy() : nullptr;
}

UsageError Call::Misused() const {
  return UsageError("usage: vendrel " + Synopsis(form_));
}

void Call::AddValue(std::string option, std::string value) {
  values_.emplace_back(std::move(option), std::move(value));
}

}  // namespace vendrel::tools
