// Commands in the JSON form: the named fields of the kinds that have them, else the stored
// bytes after the summary as hex.
#include <memory>

#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "tools/vendrel/ActionJsonParts.h"

namespace vendrel::tools::json_form {
namespace {

using actions::Archive;

Json ReadFields(Archive& ar, std::span<const Field> fields) {
  Json object = Json::object();
  for (const Field& field : fields) {
    switch (field.type) {
      case FieldType::kInt32:
        object[field.key] = ar.ReadInt32();
        break;
      case FieldType::kBool:
        object[field.key] = BoolJson(ar.ReadInt32());
        break;
      case FieldType::kText:
        object[field.key] = ar.ReadText();
        break;
      case FieldType::kTextList:
      case FieldType::kRecords: {
        const std::int32_t count = ar.ReadInt32();
        if (count < 0) throw JsonError(std::string(field.key) + " has a negative count");
        Json items = Json::array();
        for (std::int32_t i = 0; i < count; ++i) {
          items.push_back(field.type == FieldType::kTextList ? Json(ar.ReadText())
                                                             : ReadFields(ar, field.record));
        }
        object[field.key] = std::move(items);
        break;
      }
    }
  }
  return object;
}

void WriteFields(Archive& ar, std::span<const Field> fields, JsonFields& in) {
  for (const Field& field : fields) {
    const Json* value = in.Take(field.key);
    if (value == nullptr) throw JsonError(std::string("a command lacks \"") + field.key + "\"");
    switch (field.type) {
      case FieldType::kInt32:
        ar.WriteInt32(AsInt32(*value, field.key));
        break;
      case FieldType::kBool:
        ar.WriteInt32(BoolStored(*value, field.key));
        break;
      case FieldType::kText:
        ar.WriteText(AsText(*value, field.key));
        break;
      case FieldType::kTextList:
      case FieldType::kRecords: {
        const Json& items = AsList(*value, field.key);
        ar.WriteInt32(static_cast<std::int32_t>(items.size()));
        for (const Json& item : items) {
          if (field.type == FieldType::kTextList) {
            ar.WriteText(AsText(item, field.key));
          } else {
            JsonFields record(item, field.key);
            WriteFields(ar, field.record, record);
            record.Finish();
          }
        }
        break;
      }
    }
  }
}

const CommandFields* FieldsOf(const JsonCodec& codec, std::int32_t type) {
  const auto it = std::find_if(codec.commands.begin(), codec.commands.end(),
                               [&](const CommandFields& c) { return c.typeId == type; });
  return it == codec.commands.end() ? nullptr : &*it;
}

// The command's stored bytes after its type id: through its own reader when this build has the
// kind, else through its JSON fields when the layout is the current one.
Bytes StoredCommand(Input& in, std::int32_t type, std::int32_t version, const JsonCodec& codec) {
  const std::size_t start = in.Position();
  actions::Action owner;
  std::unique_ptr<commands::Cmd> cmd = codec.factory ? codec.factory(type, &owner) : nullptr;
  const CommandFields* fields = FieldsOf(codec, type);
  if (cmd) {
    cmd->Serialize(in.Ar());
  } else if (fields && version == actions::kArchiveVersion) {
    in.Ar().ReadText();
    ReadFields(in.Ar(), fields->fields);
  } else {
    throw JsonError("command kind " + std::to_string(type) + " is not known to this build");
  }
  return in.Slice(start, in.Position());
}

}  // namespace

Json ReadCommand(Input& in, std::int32_t version, const JsonCodec& codec) {
  const std::int32_t type = in.Ar().ReadInt32();
  const Bytes stored = StoredCommand(in, type, version, codec);
  Input part(stored);
  const std::wstring summary = part.Ar().ReadText();
  const Bytes payload = part.Rest();

  Json command = {{"type", type}};
  if (const commands::CommandKind* kind = commands::FindCommandKind(type)) {
    command["command"] = kind->nameDefault;
  }
  command["summary"] = summary;
  const CommandFields* fields = FieldsOf(codec, type);
  if (fields && version == actions::kArchiveVersion) {
    try {
      Input own(payload);
      const Json object = ReadFields(own.Ar(), fields->fields);
      Output again;
      JsonFields check(object, "command");
      WriteFields(again.Ar(), fields->fields, check);
      if (own.AtEnd() && again.Take() == payload) {
        command.update(object);
        return command;
      }
    } catch (const actions::ArchiveError&) {
    } catch (const JsonError&) {
    }
  }
  command["payload"] = BytesToHex(payload);
  return command;
}

void WriteCommand(Output& out, const Json& json, std::int32_t version, const JsonCodec& codec) {
  JsonFields in(json, "a command");
  const Json* typeJson = in.Take("type");
  if (typeJson == nullptr) throw JsonError("a command lacks \"type\"");
  const std::int32_t type = AsInt32(*typeJson, "type");
  if (const Json* name = in.Take("command")) {
    const commands::CommandKind* kind = commands::FindCommandKind(type);
    if (kind == nullptr || AsText(*name, "command") != kind->nameDefault) {
      throw JsonError("\"command\" does not name kind " + std::to_string(type));
    }
  }
  const Json* summary = in.Take("summary");
  out.Ar().WriteInt32(type);
  out.Ar().WriteText(summary ? AsText(*summary, "summary") : std::wstring());
  if (const Json* payload = in.Take("payload")) {
    out.Raw(HexToBytes(AsText(*payload, "payload")));
  } else if (const CommandFields* fields = FieldsOf(codec, type);
             fields && version == actions::kArchiveVersion) {
    WriteFields(out.Ar(), fields->fields, in);
  } else {
    throw JsonError("command kind " + std::to_string(type) + " needs a \"payload\"");
  }
  in.Finish();
}

}  // namespace vendrel::tools::json_form

namespace vendrel::tools {

Json CommandJson(std::int32_t type, const std::wstring& summary,
                 std::vector<std::pair<std::string, Json>> fields) {
  Json command = {{"type", type}, {"summary", summary}};
  for (auto& [key, value] : fields) command[key] = std::move(value);
  return command;
}

}  // namespace vendrel::tools
