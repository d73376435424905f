// The base part of every command: names from the kind table and the stored summary.
#include "commands/core/Cmd.h"

#include "actions/Archive.h"
#include "commands/core/CmdFactory.h"

namespace vendrel::commands {

Cmd::~Cmd() = default;

std::wstring Cmd::GetName() const {
  return name_;
}

std::wstring Cmd::GetDescription() const {
  return description_;
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
  if (const CommandKind* kind = FindCommandKind(typeId_)) {
    name_ = kind->Name();
    description_ = kind->Description();
  }
}

}  // namespace vendrel::commands
