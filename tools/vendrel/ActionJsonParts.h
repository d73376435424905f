// What the files of the JSON form share: the bytes read and written through an archive, and
// the readers and writers of actions and commands.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "tools/vendrel/ActionJson.h"

namespace vendrel::tools::json_form {

// The bytes of a container, read through an archive.
class Input {
 public:
  explicit Input(const Bytes& bytes) : bytes_(bytes) { file_.FromText(BytesToHex(bytes)); }
  actions::Archive& Ar() { return archive_; }
  std::size_t Position() const { return static_cast<std::size_t>(file_.Position()); }
  bool AtEnd() const { return Position() >= bytes_.size(); }
  Bytes Slice(std::size_t from, std::size_t to) const {
    return Bytes(bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(to));
  }
  Bytes Rest() const { return Slice(std::min(Position(), bytes_.size()), bytes_.size()); }

 private:
  const Bytes& bytes_;
  actions::HexStringFile file_;
  actions::Archive archive_{file_, actions::Archive::Mode::kLoad};
};

class Output {
 public:
  actions::Archive& Ar() { return archive_; }
  void Raw(const Bytes& bytes) { file_.Write(bytes.data(), bytes.size()); }
  Bytes Take() const { return HexToBytes(file_.ToText()); }

 private:
  actions::HexStringFile file_;
  actions::Archive archive_{file_, actions::Archive::Mode::kStore};
};

// Names in the JSON form are ASCII.
std::string Narrow(const std::wstring& text);

// The bytes that the hex text at `place` holds.
Bytes HexAt(const Json& json, const std::string& place);

// Booleans are stored as 32-bit numbers; any value but 0 and 1 stays a number.
Json BoolJson(std::int32_t stored);
std::int32_t BoolStored(const Json& json, std::string_view what);

// One command: its type id, summary and fields. Faults in `json` are named under `where`.
Json ReadCommand(Input& in, std::int32_t version, const JsonCodec& codec);
void WriteCommand(Output& out, const Json& json, std::int32_t version, const JsonCodec& codec,
                  const std::string& where);

// One action record: its JSON fields when they give back its bytes, else the bytes themselves.
Json ReadAction(Input& in, std::int32_t version, const JsonCodec& codec);
void WriteAction(Output& out, const Json& json, std::int32_t version, const JsonCodec& codec,
                 const std::string& where);

}  // namespace vendrel::tools::json_form
