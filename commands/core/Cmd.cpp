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

namespace {

// Stores or loads each field, by the archive's mode.
class ArchiveFields final : public FieldVisitor {
 public:
  explicit ArchiveFields(actions::Archive& archive) : archive_(archive) {}
  void Int32(const char*, std::int32_t& value) override { archive_.Int32(value); }
  void Bool(const char*, bool& value) override { archive_.Bool(value); }
  void Text(const char*, std::wstring& value, TextUse) override { archive_.Text(value); }
  void TextList(const char*, std::vector<std::wstring>& values, TextUse) override {
    archive_.TextList(values);
  }

 private:
  actions::Archive& archive_;
};

}  // namespace

void Cmd::Serialize(actions::Archive& archive) {
  SerializeSummary(archive);
  SerializeFields(archive);
}

void Cmd::SerializeFields(actions::Archive& archive) {
  ArchiveFields fields(archive);
  VisitFields(fields);
}

void Cmd::VisitFields(FieldVisitor&) {}

void Cmd::SerializeSummary(actions::Archive& archive) {
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
