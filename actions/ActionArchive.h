// The action record and its three containers: the vault action set, action files, the clipboard.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/Archive.h"

namespace vendrel::actions {

// Makes the command of a stored type id for its owning action, null for an unknown id. The
// command factory lives above this layer, so its callers hand it in.
using CommandFactory = std::unique_ptr<commands::Cmd> (*)(std::int32_t typeId, Action* owner);

using ActionList = std::vector<std::unique_ptr<Action>>;

// The highest id of an empty set; the first action gets the next one.
inline constexpr std::int32_t kNoActionId = 101;

// A vault's actions and the highest id handed out so far.
struct ActionSet {
  ActionList actions;
  std::int32_t highestId = kNoActionId;
};

inline constexpr wchar_t kActionFileHeader[] = L"Kalvano Vorn Action";
inline constexpr wchar_t kActionFileExtension[] = L"acn";

// Always the newest layout.
void WriteAction(Archive& archive, const Action& action);
// Reads the layout of `version` (1 to 5 or 1600) into `action`, replacing its commands and
// variables. The archive carries the version while commands read theirs. Throws ArchiveError,
// kBadIndex for a command type the factory does not know.
void ReadAction(Archive& archive, Action& action, std::int32_t version, CommandFactory factory);

// The vault container: marker -1600, count, records. Old sets start with a positive count.
void WriteActionSet(Archive& archive, const ActionList& actions);
// Destroys the set's actions and restarts its highest id first; on an error the actions read
// before it stay.
void ReadActionSet(Archive& archive, ActionSet& set, CommandFactory factory);

// Action files: header text, version, count, records.
void WriteActionFile(Archive& archive, std::span<const Action* const> actions);
// False, having read only the header, when the header is not exactly the action file's. Actions
// are appended to `out` as they are read, so an error keeps those before it.
bool ReadActionFile(Archive& archive, ActionList& out, CommandFactory factory);

// The clipboard: count and records, always the current version.
void WriteClipboardActions(Archive& archive, std::span<const Action* const> actions);
void ReadClipboardActions(Archive& archive, ActionList& out, CommandFactory factory);

}  // namespace vendrel::actions
