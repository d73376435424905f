// The base part of every command: names from the kind table and the stored summary.
#include "commands/core/Cmd.h"

#include "actions/Archive.h"
#include "commands/core/CmdFactory.h"

namespace vendrel::commands {

Cmd::~Cmd() = default;

// Looked up when asked rather than kept by each of the many commands of a vault.
std::wstring Cmd::GetName() const {
  const CommandKind* kind = FindCommandKind(typeId_);
  return kind ? kind->Name() : std::wstring();
}

std::wstring Cmd::GetDescription() const {
  const CommandKind* kind = FindCommandKind(typeId_);
  return kind ? kind->Description() : std::wstring();
}

void Cmd::Serialize(actions::Archive& archive) {
  if (archive.IsStoring()) archive.WriteInt32(typeId_);
  archive.Text(summary_);
}

void Cmd::PrepareRun() {}

bool Cmd::ShowEditor(platform::Dialog& dialog, platform::Window parent) const {
  if (!services_ || !services_->dialogs) return false;
  return services_->dialogs->Run(dialog, parent) == platform::kIdOk;
}

void Cmd::SetUp(actions::Action* owner) {
  owner_ = owner;
}

}  // namespace vendrel::commands
