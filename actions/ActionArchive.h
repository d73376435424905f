// The action record and its three containers: the vault action set, action files, the clipboard.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/Archive.h"

namespace vendrel::actions {

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
// The registered clipboard format whose text is the hexadecimal clipboard container.
inline constexpr wchar_t kClipboardFormat[] = L"KalvanoVornActionFormat";

// What each layout version stores beyond the first: the after flags from 2, the add condition
// from 3.
inline constexpr std::int32_t kFirstWithAfterFlags = 2;
inline constexpr std::int32_t kFirstWithAddCondition = 3;
constexpr bool HasAfterFlags(std::int32_t version) {
  return version >= kFirstWithAfterFlags;
}
constexpr bool HasAddCondition(std::int32_t version) {
  return version >= kFirstWithAddCondition;
}

// The fields that open an action record, as stored. The flags stay numbers so that a value other
// than 0 and 1 can be written back as it was; a field the layout lacks keeps its default.
struct RecordHead {
  std::int32_t activationKinds = 0;
  std::wstring menuText;
  std::wstring name;
  std::wstring description;
  std::int32_t actionId = 0;
  std::wstring stateChangePath;
  std::wstring checkOutPath;
  std::wstring addPath;
  std::int32_t stateId = 0;
  std::int32_t checkOutKind = 0;
  std::int32_t stateChangeAfter = 1;
  std::int32_t checkOutAfter = 1;
  std::int32_t addAfter = 1;
};

// Walks the fields that open a record in their stored order, leaving out those the layout of
// `version` lacks. `record` is an Action or a RecordHead; `visit` takes each field.
template <class Record, class Visit>
void VisitRecordHead(Record& record, std::int32_t version, Visit&& visit) {
  visit(record.activationKinds);
  visit(record.menuText);
  visit(record.name);
  visit(record.description);
  visit(record.actionId);
  visit(record.stateChangePath);
  visit(record.checkOutPath);
  if (HasAddCondition(version)) visit(record.addPath);
  visit(record.stateId);
  visit(record.checkOutKind);
  if (HasAfterFlags(version)) {
    visit(record.stateChangeAfter);
    visit(record.checkOutAfter);
  }
  if (HasAddCondition(version)) visit(record.addAfter);
}

// Visitors that read each field from an archive or write it to one.
struct FieldReader {
  Archive& archive;
  void operator()(std::int32_t& value) const { value = archive.ReadInt32(); }
  void operator()(bool& value) const { value = archive.ReadBool(); }
  void operator()(std::wstring& text) const { text = archive.ReadText(); }
};
struct FieldWriter {
  Archive& archive;
  void operator()(std::int32_t value) const { archive.WriteInt32(value); }
  void operator()(bool value) const { archive.WriteBool(value); }
  void operator()(const std::wstring& text) const { archive.WriteText(text); }
};

// Always the newest layout.
void WriteAction(Archive& archive, const Action& action);
// Reads the layout of `version` (1 to 5 or 1600) into `action`, replacing its commands and
// variables. The archive carries the version while commands read theirs. Throws ArchiveError,
// kBadIndex for a command type the factory does not know.
void ReadAction(Archive& archive, Action& action, std::int32_t version, CommandFactory factory);

// The vault container: marker -1600, count, records. The oldest sets have no marker and start
// with their count, which is never negative.
struct SetHeader {
  std::optional<std::int32_t> marker;
  std::int32_t version = 1;  // the layout of the records
  std::int32_t count = 0;
};
SetHeader ReadSetHeader(Archive& archive);
// The layout version of a marker. Only "at least 2, at least 3, at most 5" matter, so the one
// value without a negation may stand for any large version.
std::int32_t LayoutOfMarker(std::int32_t marker);

void WriteActionSet(Archive& archive, const ActionList& actions);
// Destroys the set's actions and restarts its highest id first; on an error the actions read
// before it stay.
void ReadActionSet(Archive& archive, ActionSet& set, CommandFactory factory);
// The same set from its bytes: each action's commands are only walked, to check them whole, and
// the action keeps a copy of their bytes to decode them from when first reached.
void ReadActionSet(std::span<const std::uint8_t> bytes, ActionSet& set, CommandFactory factory);

// Action files: header text, version, count, records.
void WriteActionFile(Archive& archive, std::span<const Action* const> actions);
// False, having read only the header, when the header is not exactly the action file's. Actions
// are appended to `out` as they are read, so an error keeps those before it.
bool ReadActionFile(Archive& archive, ActionList& out, CommandFactory factory);

// The clipboard: count and records, always the current version.
void WriteClipboardActions(Archive& archive, std::span<const Action* const> actions);
void ReadClipboardActions(Archive& archive, ActionList& out, CommandFactory factory);

}  // namespace vendrel::actions
