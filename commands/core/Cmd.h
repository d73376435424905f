// The abstract command: one step of an action's script.
#pragma once

#include <cstdint>
#include <string>

#include "commands/core/Fields.h"
#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "platform/Ui.h"

namespace vendrel::actions {
class Action;
class ActionData;
class Archive;
}  // namespace vendrel::actions

namespace vendrel::commands {

class LabelList;

// Concrete kinds derive from Cmd first and from the localized-window base second. The runner
// (in actions/) reaches commands only through the inline and virtual members below, so it needs
// this header but nothing from the commands library.
class Cmd {
 public:
  virtual ~Cmd();
  Cmd(const Cmd&) = delete;
  Cmd& operator=(const Cmd&) = delete;

  // The virtual operations in the order the command kinds rely on.
  virtual std::wstring GetName() const;
  virtual std::wstring GetDescription() const;
  // Lets the administrator change the parameters in a dialog owned by `parent`; true on OK.
  virtual bool Edit(platform::Window parent) = 0;
  // Storing writes the type id, the summary and the fields; loading reads the summary and the
  // fields, because the loader has read the type id to choose the kind.
  virtual void Serialize(actions::Archive& archive);
  // Walks the stored fields after the summary; a kind without fields has none to walk.
  virtual void VisitFields(FieldVisitor& visitor);
  // Stores or loads the fields alone, as they follow the summary in the current layout.
  void SerializeFields(actions::Archive& archive);
  // The result is informative only; the runner ignores it.
  virtual bool Execute(actions::ActionData& run) = 0;
  // Called once per run on every command before the first one executes.
  virtual void PrepareRun();

  std::int32_t TypeId() const { return typeId_; }
  std::wstring Summary() const { return summary_; }
  bool IsRemoved() const { return removed_; }
  void SetRemoved(bool removed) { removed_ = removed; }
  actions::Action* Owner() const { return owner_; }
  // Takes the new reference before releasing the old one; the object already held stays as is.
  void SetVault(host::VaultSession* vault) { vault_.Assign(vault); }
  const host::Ref<host::VaultSession>& Vault() const { return vault_; }
  // The services that Edit shows its dialog with, borrowed; the editor sets them with the vault.
  // Without a dialog runner, Edit of a kind with a dialog changes nothing and returns false.
  void SetServices(platform::Services* services) { services_ = services; }
  platform::Services* Services() const { return services_; }
  // The label names of the action being edited, borrowed; the editor sets them with the vault.
  void SetLabels(LabelList* labels) { labels_ = labels; }
  LabelList* Labels() const { return labels_; }

 protected:
  explicit Cmd(std::int32_t typeId) : typeId_(typeId) {}
  // For concrete constructors: stores the owner.
  void SetUp(actions::Action* owner);
  void SetSummary(std::wstring summary) { summary_ = std::move(summary); }
  // The part every kind stores first: the type id when storing, then the summary.
  void SerializeSummary(actions::Archive& archive);
  // Runs an editor dialog modally over `parent`; true when it was closed with OK.
  bool ShowEditor(platform::Dialog& dialog, platform::Window parent) const;

 private:
  const std::int32_t typeId_;
  std::wstring summary_;
  bool removed_ = false;
  actions::Action* owner_ = nullptr;
  host::Ref<host::VaultSession> vault_;
  platform::Services* services_ = nullptr;
  LabelList* labels_ = nullptr;
};

}  // namespace vendrel::commands
