// Action records with their version rules, and the containers that frame them.
#include "actions/ActionArchive.h"

#include <algorithm>
#include <limits>

#include "actions/ByteSpanFile.h"
#include "commands/core/Cmd.h"

namespace vendrel::actions {
namespace {

void WriteVariable(Archive& archive, const Variable& variable) {
  archive.WriteText(variable.name);
  archive.WriteInt32(variable.type);
  archive.WriteText(variable.value);
  archive.WriteText(variable.extra);
}

std::unique_ptr<Variable> ReadVariable(Archive& archive) {
  auto variable = std::make_unique<Variable>();
  variable->name = archive.ReadText();
  variable->type = static_cast<Variable::VariableType>(archive.ReadInt32());
  variable->value = archive.ReadText();
  variable->extra = archive.ReadText();
  return variable;
}

template <class List>
std::int32_t CountPresent(const List& list) {
  return static_cast<std::int32_t>(
      std::count_if(list.begin(), list.end(), [](const auto& p) { return p != nullptr; }));
}

void WriteRecords(Archive& archive, std::span<const Action* const> actions) {
  for (const Action* action : actions) WriteAction(archive, *action);
}

void ReadRecords(Archive& archive, std::int32_t count, std::int32_t version, ActionList& out,
                 CommandFactory factory) {
  for (std::int32_t i = 0; i < count; ++i) {
    auto action = std::make_unique<Action>();
    ReadAction(archive, *action, version, factory);
    out.push_back(std::move(action));
  }
}

std::vector<const Action*> Present(const ActionList& actions) {
  std::vector<const Action*> present;
  for (const auto& action : actions) {
    if (action) present.push_back(action.get());
  }
  return present;
}

// Walks stored commands with their texts skimmed, to check them whole and find where they end.
// A set holds thousands of commands of a few kinds, so one command of each kind met is made and
// walks every stored command of its kind; the walk leaves nothing in it that the load keeps.
class CommandWalker {
 public:
  CommandWalker(const ByteSpanFile& source, CommandFactory factory)
      : source_(source), factory_(factory) {}

  const ByteSpanFile& Source() const { return source_; }

  void Walk(Archive& archive, Action& owner) {
    const std::int32_t type = archive.ReadInt32();
    auto made = std::find_if(made_.begin(), made_.end(),
                             [type](const auto& kind) { return kind.first == type; });
    if (made == made_.end()) {
      std::unique_ptr<commands::Cmd> cmd = factory_(type, &owner);
      if (!cmd) throw ArchiveError(ArchiveError::Cause::kBadIndex);
      made = made_.insert(made_.end(), {type, std::move(cmd)});
    }
    archive.SetSkimming(true);
    made->second->Serialize(archive);
    archive.SetSkimming(false);
  }

 private:
  const ByteSpanFile& source_;
  CommandFactory factory_;
  std::vector<std::pair<std::int32_t, std::unique_ptr<commands::Cmd>>> made_;
};

// Reads one record. With a walker (over the file `archive` reads), the action keeps its commands'
// bytes to decode them when reached.
void ReadRecord(Archive& archive, Action& action, std::int32_t version, CommandFactory factory,
                CommandWalker* walker) {
  archive.SetVersion(version);
  action.commands.clear();
  action.variables.clear();
  // The fields a layout lacks take their defaults.
  action.addPath.clear();
  action.stateChangeAfter = true;
  action.checkOutAfter = true;
  action.addAfter = true;
  VisitRecordHead(action, version, FieldReader{archive});

  const std::int32_t commandCount = archive.ReadInt32();
  if (walker) {
    const ByteSpanFile& source = walker->Source();
    const std::size_t first = source.Position();
    for (std::int32_t i = 0; i < commandCount; ++i) walker->Walk(archive, action);
    const auto commands = source.Bytes().subspan(first, source.Position() - first);
    action.commands.Defer(
        {{commands.begin(), commands.end()}, commandCount, version, factory, &action});
  } else {
    for (std::int32_t i = 0; i < commandCount; ++i) {
      action.commands.push_back(ReadCommand(archive, factory, &action));
    }
  }
  const std::int32_t variableCount = archive.ReadInt32();
  for (std::int32_t i = 0; i < variableCount; ++i) {
    action.variables.push_back(ReadVariable(archive));
  }
}

void ReadSet(Archive& archive, ActionSet& set, CommandFactory factory, CommandWalker* walker) {
  set.actions.clear();
  set.highestId = kNoActionId;
  const SetHeader header = ReadSetHeader(archive);
  for (std::int32_t i = 0; i < header.count; ++i) {
    auto action = std::make_unique<Action>();
    ReadRecord(archive, *action, header.version, factory, walker);
    set.highestId = std::max(set.highestId, action->actionId);
    set.actions.push_back(std::move(action));
  }
}

}  // namespace

void WriteAction(Archive& archive, const Action& action) {
  VisitRecordHead(action, kArchiveVersion, FieldWriter{archive});
  archive.WriteInt32(CountPresent(action.commands));
  for (const auto& cmd : action.commands) {
    if (cmd) cmd->Serialize(archive);
  }
  archive.WriteInt32(CountPresent(action.variables));
  for (const auto& variable : action.variables) {
    if (variable) WriteVariable(archive, *variable);
  }
}

void ReadAction(Archive& archive, Action& action, std::int32_t version, CommandFactory factory) {
  ReadRecord(archive, action, version, factory, nullptr);
}

std::int32_t LayoutOfMarker(std::int32_t marker) {
  return marker == std::numeric_limits<std::int32_t>::min() ? kArchiveVersion : -marker;
}

SetHeader ReadSetHeader(Archive& archive) {
  const std::int32_t first = archive.ReadInt32();
  if (first >= 0) return {std::nullopt, 1, first};
  return {first, LayoutOfMarker(first), archive.ReadInt32()};
}

void WriteActionSet(Archive& archive, const ActionList& actions) {
  const std::vector<const Action*> present = Present(actions);
  archive.WriteInt32(-kArchiveVersion);
  archive.WriteInt32(static_cast<std::int32_t>(present.size()));
  WriteRecords(archive, present);
}

void ReadActionSet(Archive& archive, ActionSet& set, CommandFactory factory) {
  ReadSet(archive, set, factory, nullptr);
}

void ReadActionSet(std::span<const std::uint8_t> bytes, ActionSet& set, CommandFactory factory) {
  ByteSpanFile file(bytes);
  Archive archive(file, Archive::Mode::kLoad);
  CommandWalker walker(file, factory);
  ReadSet(archive, set, factory, &walker);
}

void WriteActionFile(Archive& archive, std::span<const Action* const> actions) {
  archive.WriteText(kActionFileHeader);
  archive.WriteInt32(kArchiveVersion);
  archive.WriteInt32(static_cast<std::int32_t>(actions.size()));
  WriteRecords(archive, actions);
}

bool ReadActionFile(Archive& archive, ActionList& out, CommandFactory factory) {
  if (archive.ReadText() != kActionFileHeader) return false;
  const std::int32_t version = archive.ReadInt32();
  ReadRecords(archive, archive.ReadInt32(), version, out, factory);
  return true;
}

void WriteClipboardActions(Archive& archive, std::span<const Action* const> actions) {
  archive.WriteInt32(static_cast<std::int32_t>(actions.size()));
  WriteRecords(archive, actions);
}

void ReadClipboardActions(Archive& archive, ActionList& out, CommandFactory factory) {
  ReadRecords(archive, archive.ReadInt32(), kArchiveVersion, out, factory);
}

}  // namespace vendrel::actions
