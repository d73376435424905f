// ActionCommands: decoding stored commands when first reached.
#include "actions/ActionCommands.h"

#include "actions/Archive.h"
#include "actions/ByteSpanFile.h"
#include "commands/core/Cmd.h"

namespace vendrel::actions {

std::unique_ptr<commands::Cmd> ReadCommand(Archive& archive, CommandFactory factory,
                                           Action* owner) {
  std::unique_ptr<commands::Cmd> cmd = factory(archive.ReadInt32(), owner);
  if (!cmd) throw ArchiveError(ArchiveError::Cause::kBadIndex);
  cmd->Serialize(archive);
  return cmd;
}

ActionCommands::ActionCommands() = default;
ActionCommands::~ActionCommands() = default;
ActionCommands::ActionCommands(ActionCommands&&) noexcept = default;
ActionCommands& ActionCommands::operator=(ActionCommands&&) noexcept = default;

ActionCommands& ActionCommands::operator=(List list) {
  list_ = std::move(list);
  stored_.reset();
  return *this;
}

void ActionCommands::Defer(StoredCommands stored) {
  list_.clear();
  stored_.reset();
  if (stored.count > 0) stored_ = std::move(stored);
}

std::size_t ActionCommands::size() const {
  return stored_ ? static_cast<std::size_t>(stored_->count) : list_.size();
}

void ActionCommands::push_back(List::value_type command) {
  Decoded().push_back(std::move(command));
}

ActionCommands::List::iterator ActionCommands::erase(List::const_iterator at) {
  return Decoded().erase(at);
}

void ActionCommands::clear() {
  list_.clear();
  stored_.reset();
}

ActionCommands::List& ActionCommands::Decoded() const {
  if (!stored_) return list_;
  const StoredCommands& stored = *stored_;
  ByteSpanFile file(stored.bytes);
  Archive archive(file, Archive::Mode::kLoad, stored.version);
  List list;
  list.reserve(static_cast<std::size_t>(stored.count));
  for (std::int32_t i = 0; i < stored.count; ++i) {
    list.push_back(ReadCommand(archive, stored.factory, stored.owner));
  }
  list_ = std::move(list);
  stored_.reset();
  return list_;
}

}  // namespace vendrel::actions
