// Commands in the JSON form: the named fields that the kind's own field walk gives, else the
// stored bytes after the summary as hex.
#include <memory>

#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/Fields.h"
#include "tools/vendrel/ActionJsonParts.h"

namespace vendrel::tools::json_form {
namespace {

using commands::TextUse;

class FieldsToJson final : public commands::FieldVisitor {
 public:
  explicit FieldsToJson(Json& object) : object_(object) {}
  void Int32(const char* name, std::int32_t& value) override { object_[name] = value; }
  void Bool(const char* name, bool& value) override { object_[name] = value; }
  void Text(const char* name, std::wstring& value, TextUse) override { object_[name] = value; }
  void TextList(const char* name, std::vector<std::wstring>& values, TextUse) override {
    Json items = Json::array();
    for (const std::wstring& value : values) items.push_back(value);
    object_[name] = std::move(items);
  }

 private:
  Json& object_;
};

// Takes each field from its JSON member; every field must be there.
class FieldsFromJson final : public commands::FieldVisitor {
 public:
  explicit FieldsFromJson(JsonFields& in) : in_(in) {}
  void Int32(const char* name, std::int32_t& value) override {
    value = AsInt32(in_.Require(name), in_.Place(name));
  }
  void Bool(const char* name, bool& value) override {
    value = AsBool(in_.Require(name), in_.Place(name));
  }
  void Text(const char* name, std::wstring& value, TextUse) override {
    value = AsText(in_.Require(name), in_.Place(name));
  }
  void TextList(const char* name, std::vector<std::wstring>& values, TextUse) override {
    values.clear();
    const Json& items = AsList(in_.Require(name), in_.Place(name));
    for (std::size_t i = 0; i < items.size(); ++i) {
      values.push_back(AsText(items[i], ItemPlace(in_.Place(name), i)));
    }
  }

 private:
  JsonFields& in_;
};

std::unique_ptr<commands::Cmd> Make(const JsonCodec& codec, std::int32_t type,
                                    actions::Action& owner) {
  std::unique_ptr<commands::Cmd> cmd = codec.factory ? codec.factory(type, &owner) : nullptr;
  if (!cmd) throw JsonError("command kind " + std::to_string(type) + " is not known to this build");
  return cmd;
}

// Whether the named fields give back the very bytes they were read from.
bool StoresAs(const JsonCodec& codec, std::int32_t type, const Json& fields, const Bytes& payload) {
  try {
    actions::Action owner;
    const std::unique_ptr<commands::Cmd> cmd = Make(codec, type, owner);
    JsonFields in(fields, "a command");
    FieldsFromJson walk(in);
    cmd->VisitFields(walk);
    Output again;
    cmd->SerializeFields(again.Ar());
    return again.Take() == payload;
  } catch (const JsonError&) {
    return false;
  }
}

}  // namespace

Json ReadCommand(Input& in, std::int32_t version, const JsonCodec& codec) {
  const std::int32_t type = in.Ar().ReadInt32();
  actions::Action owner;
  const std::unique_ptr<commands::Cmd> cmd = Make(codec, type, owner);
  const std::size_t start = in.Position();
  cmd->Serialize(in.Ar());
  const Bytes stored = in.Slice(start, in.Position());
  Input part(stored);
  const std::wstring summary = part.Ar().ReadText();
  const Bytes payload = part.Rest();

  Json command = {{"type", type}};
  if (const commands::CommandKind* kind = commands::FindCommandKind(type)) {
    command["command"] = kind->nameDefault;
  }
  command["summary"] = summary;
  if (version == actions::kArchiveVersion) {
    Json fields = Json::object();
    FieldsToJson walk(fields);
    cmd->VisitFields(walk);
    if (StoresAs(codec, type, fields, payload)) {
      command.update(fields);
      return command;
    }
  }
  command["payload"] = BytesToHex(payload);
  return command;
}

void WriteCommand(Output& out, const Json& json, std::int32_t version, const JsonCodec& codec,
                  const std::string& where) {
  JsonFields in(json, where);
  const std::int32_t type = AsInt32(in.Require("type"), in.Place("type"));
  if (const Json* name = in.Take("command")) {
    const commands::CommandKind* kind = commands::FindCommandKind(type);
    if (kind == nullptr || AsText(*name, in.Place("command")) != kind->nameDefault) {
      throw JsonError(in.Place("command") + " does not name kind " + std::to_string(type));
    }
  }
  const Json* summary = in.Take("summary");
  actions::Action owner;
  out.Ar().WriteInt32(type);
  out.Ar().WriteText(summary ? AsText(*summary, in.Place("summary")) : std::wstring());
  if (const Json* payload = in.Take("payload")) {
    out.Raw(HexAt(*payload, in.Place("payload")));
  } else if (const std::unique_ptr<commands::Cmd> cmd =
                 codec.factory && version == actions::kArchiveVersion ? codec.factory(type, &owner)
                                                                      : nullptr) {
    FieldsFromJson fields(in);
    cmd->VisitFields(fields);
    cmd->SerializeFields(out.Ar());
  } else {
    throw JsonError(where + " (kind " + std::to_string(type) + ") needs a \"payload\"");
  }
  in.Finish();
}

}  // namespace vendrel::tools::json_form

namespace vendrel::tools {

JsonCodec DefaultCodec() {
  return {commands::CreateCmd};
}

Json CommandJson(std::int32_t type, const std::wstring& summary,
                 std::vector<std::pair<std::string, Json>> fields) {
  Json command = {{"type", type}, {"summary", summary}};
  for (auto& [key, value] : fields) command[key] = std::move(value);
  return command;
}

}  // namespace vendrel::tools
