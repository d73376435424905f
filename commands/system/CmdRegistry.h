// Write registry value: a string or DWORD value at a full registry path.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct RegistryFields {
  // Value kinds as stored; a binary value is never written.
  enum Kind : std::int32_t { kString = 0, kBinary = 1, kDword = 2, kNoKind = 3 };

  std::wstring keyPath;  // ROOT\subkey...\value-name
  std::wstring value;
  std::int32_t kind = kNoKind;
  friend bool operator==(const RegistryFields&, const RegistryFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("keyPath", keyPath, TextUse::kExpanded);
    v.Text("value", value, TextUse::kExpanded);
    v.Int32("kind", kind);
  }
};

class CmdRegistry : public FieldCmd<RegistryFields, kRegistryType> {
 public:
  using enum RegistryFields::Kind;

  explicit CmdRegistry(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  // False only for a path without a known root; a key or value that cannot be written is not
  // reported.
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
