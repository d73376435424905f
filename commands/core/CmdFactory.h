// The table of command kinds and the factory that makes a command from its stored type id.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "commands/core/Cmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

// One command kind. Type ids are stored in action files and in the vault: they never change.
struct CommandKind {
  using Create = std::unique_ptr<Cmd> (*)(actions::Action* owner);

  std::int32_t typeId;
  const wchar_t* className;
  std::int32_t nameId;
  const wchar_t* nameDefault;
  std::int32_t descriptionId;  // 0: the kind has no description
  const wchar_t* descriptionDefault;
  Create create;  // null while the kind is not built

  // Localized through the current string file.
  std::wstring Name() const;
  std::wstring Description() const;
};

// The list kinds, ids 1 to 25 in id order (for the command selection).
std::span<const CommandKind> CommandKinds();
// Any kind of the table, the variable editor (0) included; null for other ids.
const CommandKind* FindCommandKind(std::int32_t typeId);
// A new command of list kind `typeId` owned by the caller; null for every other id (0 included)
// and for kinds not built yet.
std::unique_ptr<Cmd> CreateCmd(std::int32_t typeId, actions::Action* owner);

}  // namespace vendrel::commands
