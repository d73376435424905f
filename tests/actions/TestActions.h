// A small command kind for archive and storage tests, and builders of actions and byte streams.
#pragma once

#include <memory>
#include <string>

#include "actions/Action.h"
#include "actions/ActionArchive.h"
#include "actions/Archive.h"
#include "commands/core/Cmd.h"
#include "tests/actions/TestBytes.h"

namespace vendrel::test {

// Stores one integer after the base part and remembers the archive version it was read with.
class ProbeCmd : public commands::Cmd {
 public:
  static constexpr std::int32_t kType = 2;
  static constexpr std::int32_t kShellType = 12;
  // Refuses to be stored, as a command whose archive cannot be written.
  static constexpr std::int32_t kUnwritableType = 3;

  ProbeCmd(std::int32_t type, actions::Action* owner) : Cmd(type) { SetUp(owner); }

  bool Edit(platform::Window) override { return false; }
  bool Execute(actions::ActionData&) override { return true; }
  void Serialize(actions::Archive& archive) override {
    if (TypeId() == kUnwritableType && archive.IsStoring()) {
      throw actions::ArchiveError(actions::ArchiveError::Cause::kBadIndex);
    }
    Cmd::Serialize(archive);
    if (archive.IsLoading()) readVersion = archive.Version();
  }
  void VisitFields(commands::FieldVisitor& visitor) override {
    visitor.Int32("payload number", payload);
  }
  void SetSummaryText(std::wstring text) { SetSummary(std::move(text)); }

  std::int32_t payload = 0;
  std::int32_t readVersion = 0;
};

// Knows the probe kinds only.
inline std::unique_ptr<commands::Cmd> MakeProbe(std::int32_t type, actions::Action* owner) {
  if (type != ProbeCmd::kType && type != ProbeCmd::kShellType &&
      type != ProbeCmd::kUnwritableType) {
    return nullptr;
  }
  return std::make_unique<ProbeCmd>(type, owner);
}

inline ProbeCmd& Probe(const actions::Action& action, std::size_t index) {
  return static_cast<ProbeCmd&>(*action.commands.at(index));
}

inline std::unique_ptr<actions::Action> NewAction(std::int32_t id, const std::wstring& name) {
  auto action = std::make_unique<actions::Action>();
  action->actionId = id;
  action->name = name;
  action->menuText = name;
  action->activationKinds = actions::kActivateByMenu;
  return action;
}

inline void AddProbe(actions::Action& action, std::int32_t type, const std::wstring& summary,
                     std::int32_t payload) {
  auto cmd = std::make_unique<ProbeCmd>(type, &action);
  cmd->SetSummaryText(summary);
  cmd->payload = payload;
  action.commands.push_back(std::move(cmd));
}

// The vault text of a set holding `actions`.
inline std::wstring SetText(const actions::ActionList& actions) {
  actions::HexStringFile file;
  actions::Archive archive(file, actions::Archive::Mode::kStore);
  actions::WriteActionSet(archive, actions);
  return file.ToText();
}

// The bytes that `write` stores through an archive.
template <class Write>
Bytes Encoded(Write write) {
  actions::HexStringFile file;
  actions::Archive archive(file, actions::Archive::Mode::kStore);
  write(archive);
  return BytesOf(file);
}

// A record in the layout of `version`, which decides which of the optional fields are present:
// id 130, name "old", one shell probe with payload 99 and one static variable "V".
inline Bytes OldRecord(std::int32_t version) {
  return Encoded([version](actions::Archive& a) {
    a.WriteInt32(actions::kActivateOnStateChange);
    a.WriteText(L"menu");
    a.WriteText(L"old");
    a.WriteText(L"desc");
    a.WriteInt32(130);
    a.WriteText(L"state path");
    a.WriteText(L"out path");
    if (version >= 3) a.WriteText(L"add path");
    a.WriteInt32(4);
    a.WriteInt32(actions::kCheckOut);
    if (version >= 2) {
      a.WriteBool(false);
      a.WriteBool(false);
    }
    if (version >= 3) a.WriteBool(false);
    a.WriteInt32(1);
    a.WriteInt32(ProbeCmd::kShellType);
    a.WriteText(L"shell");
    a.WriteInt32(99);
    a.WriteInt32(1);
    a.WriteText(L"V");
    a.WriteInt32(actions::Variable::kStaticText);
    a.WriteText(L"value");
    a.WriteText(L"");
  });
}

}  // namespace vendrel::test
