// Stored actions to JSON and back. Whatever the JSON form cannot say exactly (a text stored in
// an old 8-bit form, a layout of an older version) stays as hex, so the bytes always come back.
#include "tools/vendrel/ActionJson.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "actions/ActionArchive.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"

namespace vendrel::tools {
namespace {

using actions::Archive;

struct Flag {
  const char* name;
  std::int32_t bit;
};
constexpr Flag kActivations[] = {{"menu", actions::kActivateByMenu},
                                 {"state-change", actions::kActivateOnStateChange},
                                 {"check-out", actions::kActivateOnCheckOut},
                                 {"add", actions::kActivateOnAdd}};
constexpr const char* kCheckOutKinds[] = {"none", "check-out", "check-in", "undo-check-out"};

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

std::wstring Wide(std::string_view text) {
  return std::wstring(text.begin(), text.end());
}

// The bytes of a container, read through an archive.
class Input {
 public:
  explicit Input(const Bytes& bytes) : bytes_(bytes) { file_.FromText(BytesToHex(bytes)); }
  Archive& Ar() { return archive_; }
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
  Archive archive_{file_, Archive::Mode::kLoad};
};

class Output {
 public:
  Archive& Ar() { return archive_; }
  void Raw(const Bytes& bytes) { file_.Write(bytes.data(), bytes.size()); }
  Bytes Take() const { return HexToBytes(file_.ToText()); }

 private:
  actions::HexStringFile file_;
  Archive archive_{file_, Archive::Mode::kStore};
};

// Booleans are stored as 32-bit numbers; any value but 0 and 1 stays a number.
Json BoolJson(std::int32_t stored) {
  if (stored == 0 || stored == 1) return stored == 1;
  return stored;
}

std::int32_t BoolStored(const Json& json, std::string_view what) {
  if (json.IsBool()) return json.AsBool(what) ? 1 : 0;
  return json.AsInt32(what);
}

Json ActivationJson(std::int32_t kinds) {
  Json::Array names;
  for (const Flag& flag : kActivations) {
    if ((kinds & flag.bit) != 0) names.emplace_back(Wide(flag.name));
    kinds &= ~flag.bit;
  }
  if (kinds != 0) names.emplace_back(kinds);
  return names;
}

std::int32_t ActivationStored(const Json& json) {
  std::int32_t kinds = 0;
  for (const Json& item : json.AsArray("activation")) {
    if (item.IsInteger()) {
      kinds |= item.AsInt32("activation");
      continue;
    }
    const std::string name = Narrow(item.AsString("activation"));
    const auto* flag = std::find_if(std::begin(kActivations), std::end(kActivations),
                                    [&](const Flag& f) { return name == f.name; });
    if (flag == std::end(kActivations)) throw JsonError("unknown activation \"" + name + "\"");
    kinds |= flag->bit;
  }
  return kinds;
}

Json CheckOutKindJson(std::int32_t kind) {
  if (kind >= 0 && kind <= actions::kUndoCheckOut) return Wide(kCheckOutKinds[kind]);
  return kind;
}

std::int32_t CheckOutKindStored(const Json& json) {
  if (json.IsInteger()) return json.AsInt32("checkOut kind");
  const std::string name = Narrow(json.AsString("checkOut kind"));
  for (std::int32_t kind = 0; kind <= actions::kUndoCheckOut; ++kind) {
    if (name == kCheckOutKinds[kind]) return kind;
  }
  throw JsonError("unknown check-out kind \"" + name + "\"");
}

Json ReadFields(Archive& ar, std::span<const Field> fields) {
  Json object = Json::Object();
  for (const Field& field : fields) {
    switch (field.type) {
      case FieldType::kInt32:
        object.Add(field.key, ar.ReadInt32());
        break;
      case FieldType::kBool:
        object.Add(field.key, BoolJson(ar.ReadInt32()));
        break;
      case FieldType::kText:
        object.Add(field.key, ar.ReadText());
        break;
      case FieldType::kTextList:
      case FieldType::kRecords: {
        const std::int32_t count = ar.ReadInt32();
        if (count < 0) throw JsonError(std::string(field.key) + " has a negative count");
        Json::Array items;
        for (std::int32_t i = 0; i < count; ++i) {
          items.push_back(field.type == FieldType::kTextList ? Json(ar.ReadText())
                                                             : ReadFields(ar, field.record));
        }
        object.Add(field.key, std::move(items));
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
        ar.WriteInt32(value->AsInt32(field.key));
        break;
      case FieldType::kBool:
        ar.WriteInt32(BoolStored(*value, field.key));
        break;
      case FieldType::kText:
        ar.WriteText(value->AsString(field.key));
        break;
      case FieldType::kTextList:
      case FieldType::kRecords: {
        const Json::Array& items = value->AsArray(field.key);
        ar.WriteInt32(static_cast<std::int32_t>(items.size()));
        for (const Json& item : items) {
          if (field.type == FieldType::kTextList) {
            ar.WriteText(item.AsString(field.key));
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

Json ReadCommand(Input& in, std::int32_t version, const JsonCodec& codec) {
  const std::int32_t type = in.Ar().ReadInt32();
  const Bytes stored = StoredCommand(in, type, version, codec);
  Input part(stored);
  const std::wstring summary = part.Ar().ReadText();
  const Bytes payload = part.Rest();

  Json command;
  command.Add("type", type);
  if (const commands::CommandKind* kind = commands::FindCommandKind(type)) {
    command.Add("command", kind->nameDefault);
  }
  command.Add("summary", summary);
  const CommandFields* fields = FieldsOf(codec, type);
  if (fields && version == actions::kArchiveVersion) {
    try {
      Input own(payload);
      Json object = ReadFields(own.Ar(), fields->fields);
      Output again;
      JsonFields check(object, "command");
      WriteFields(again.Ar(), fields->fields, check);
      if (own.AtEnd() && again.Take() == payload) {
        for (auto& [key, value] : object.AsObject("command")) command.Add(key, value);
        return command;
      }
    } catch (const actions::ArchiveError&) {
    } catch (const JsonError&) {
    }
  }
  command.Add("payload", BytesToHex(payload));
  return command;
}

void WriteCommand(Output& out, const Json& json, std::int32_t version, const JsonCodec& codec) {
  JsonFields in(json, "a command");
  const Json* typeJson = in.Take("type");
  if (typeJson == nullptr) throw JsonError("a command lacks \"type\"");
  const std::int32_t type = typeJson->AsInt32("type");
  if (const Json* name = in.Take("command")) {
    const commands::CommandKind* kind = commands::FindCommandKind(type);
    if (kind == nullptr || name->AsString("command") != kind->nameDefault) {
      throw JsonError("\"command\" does not name kind " + std::to_string(type));
    }
  }
  const Json* summary = in.Take("summary");
  out.Ar().WriteInt32(type);
  out.Ar().WriteText(summary ? summary->AsString("summary") : std::wstring());
  if (const Json* payload = in.Take("payload")) {
    out.Raw(HexToBytes(payload->AsString("payload")));
  } else if (const CommandFields* fields = FieldsOf(codec, type);
             fields && version == actions::kArchiveVersion) {
    WriteFields(out.Ar(), fields->fields, in);
  } else {
    throw JsonError("command kind " + std::to_string(type) + " needs a \"payload\"");
  }
  in.Finish();
}

Json Condition(const std::wstring& path, std::optional<std::int32_t> stateId,
               std::optional<Json> kind, std::optional<std::int32_t> after) {
  Json object;
  object.Add("path", path);
  if (stateId) object.Add("stateId", *stateId);
  if (kind) object.Add("kind", *kind);
  if (after) object.Add("after", BoolJson(*after));
  return object;
}

Json ReadActionFields(Input& in, std::int32_t version, const JsonCodec& codec) {
  Archive& ar = in.Ar();
  ar.SetVersion(version);
  actions::RecordHead head;
  actions::VisitRecordHead(head, version, actions::FieldReader{ar});
  const bool afterFlags = actions::HasAfterFlags(version);
  const auto after = [afterFlags](std::int32_t stored) {
    return afterFlags ? std::optional(stored) : std::nullopt;
  };

  Json action;
  action.Add("id", head.actionId);
  action.Add("name", head.name);
  action.Add("menuText", head.menuText);
  action.Add("description", head.description);
  action.Add("activation", ActivationJson(head.activationKinds));
  action.Add("stateChange", Condition(head.stateChangePath, head.stateId, std::nullopt,
                                      after(head.stateChangeAfter)));
  action.Add("checkOut", Condition(head.checkOutPath, std::nullopt,
                                   CheckOutKindJson(head.checkOutKind), after(head.checkOutAfter)));
  if (actions::HasAddCondition(version)) {
    action.Add("add", Condition(head.addPath, std::nullopt, std::nullopt, head.addAfter));
  }

  Json::Array commandList;
  const std::int32_t commandCount = ar.ReadInt32();
  for (std::int32_t i = 0; i < commandCount; ++i) {
    commandList.push_back(ReadCommand(in, version, codec));
  }
  action.Add("commands", std::move(commandList));
  Json::Array variables;
  const std::int32_t variableCount = ar.ReadInt32();
  for (std::int32_t i = 0; i < variableCount; ++i) {
    Json variable;
    variable.Add("name", ar.ReadText());
    variable.Add("type", ar.ReadInt32());
    variable.Add("value", ar.ReadText());
    variable.Add("extra", ar.ReadText());
    variables.push_back(std::move(variable));
  }
  action.Add("variables", std::move(variables));
  return action;
}

const std::wstring& TextOr(JsonFields& in, std::string_view key, const std::wstring& fallback) {
  const Json* value = in.Take(key);
  return value ? value->AsString(key) : fallback;
}

std::int32_t IntOr(JsonFields& in, std::string_view key, std::int32_t fallback) {
  const Json* value = in.Take(key);
  return value ? value->AsInt32(key) : fallback;
}

std::int32_t BoolOr(JsonFields& in, std::string_view key, bool fallback) {
  const Json* value = in.Take(key);
  return value ? BoolStored(*value, key) : (fallback ? 1 : 0);
}

// A condition's members; those the layout has no room for must be absent.
struct ConditionFields {
  std::wstring path;
  std::int32_t stateId = 0;
  std::int32_t kind = 0;
  std::int32_t after = 1;
};

ConditionFields ReadCondition(const Json* json, std::string_view what, bool afterStored) {
  ConditionFields condition;
  if (json == nullptr) return condition;
  JsonFields in(*json, what);
  condition.path = TextOr(in, "path", L"");
  condition.stateId = IntOr(in, "stateId", 0);
  if (const Json* kind = in.Take("kind")) condition.kind = CheckOutKindStored(*kind);
  if (afterStored) condition.after = BoolOr(in, "after", true);
  in.Finish();
  return condition;
}

void WriteActionFields(Output& out, const Json& json, std::int32_t version,
                       const JsonCodec& codec) {
  JsonFields in(json, "an action");
  if (const Json* record = in.Take("record")) {
    in.Finish();
    out.Raw(HexToBytes(record->AsString("record")));
    return;
  }
  const bool afterFlags = actions::HasAfterFlags(version);
  const bool addCondition = actions::HasAddCondition(version);
  const Json* activation = in.Take("activation");
  const std::wstring empty;
  const std::wstring menuText = TextOr(in, "menuText", empty);
  const std::wstring name = TextOr(in, "name", empty);
  const std::wstring description = TextOr(in, "description", empty);
  const std::int32_t id = IntOr(in, "id", 0);
  const ConditionFields state = ReadCondition(in.Take("stateChange"), "stateChange", afterFlags);
  const ConditionFields checkOut = ReadCondition(in.Take("checkOut"), "checkOut", afterFlags);
  const Json* addJson = in.Take("add");
  if (addJson && !addCondition) {
    throw JsonError("version " + std::to_string(version) + " stores no add condition");
  }
  const ConditionFields add = ReadCondition(addJson, "add", addCondition);
  const Json* commandList = in.Take("commands");
  const Json* variables = in.Take("variables");
  in.Finish();

  const actions::RecordHead head{
      .activationKinds = activation ? ActivationStored(*activation) : 0,
      .menuText = menuText,
      .name = name,
      .description = description,
      .actionId = id,
      .stateChangePath = state.path,
      .checkOutPath = checkOut.path,
      .addPath = add.path,
      .stateId = state.stateId,
      .checkOutKind = checkOut.kind,
      .stateChangeAfter = state.after,
      .checkOutAfter = checkOut.after,
      .addAfter = add.after,
  };
  Archive& ar = out.Ar();
  actions::VisitRecordHead(head, version, actions::FieldWriter{ar});

  const Json::Array noItems;
  const Json::Array& commandItems = commandList ? commandList->AsArray("commands") : noItems;
  ar.WriteInt32(static_cast<std::int32_t>(commandItems.size()));
  for (const Json& command : commandItems) WriteCommand(out, command, version, codec);
  const Json::Array& variableItems = variables ? variables->AsArray("variables") : noItems;
  ar.WriteInt32(static_cast<std::int32_t>(variableItems.size()));
  for (const Json& variable : variableItems) {
    JsonFields v(variable, "a variable");
    ar.WriteText(TextOr(v, "name", empty));
    ar.WriteInt32(IntOr(v, "type", actions::Variable::kNoKind));
    ar.WriteText(TextOr(v, "value", empty));
    ar.WriteText(TextOr(v, "extra", empty));
    v.Finish();
  }
}

// One record: its JSON fields when they give back its bytes, else the bytes themselves.
Json ReadAction(Input& in, std::int32_t version, const JsonCodec& codec) {
  const std::size_t start = in.Position();
  Json action = ReadActionFields(in, version, codec);
  const Bytes stored = in.Slice(start, in.Position());
  Output again;
  WriteActionFields(again, action, version, codec);
  if (again.Take() == stored) return action;
  Json raw;
  raw.Add("record", BytesToHex(stored));
  return raw;
}

Json::Array ReadActions(Input& in, std::int32_t count, std::int32_t version,
                        const JsonCodec& codec) {
  if (count < 0) throw JsonError("the action count is negative");
  Json::Array list;
  for (std::int32_t i = 0; i < count; ++i) list.push_back(ReadAction(in, version, codec));
  return list;
}

void AddTrailing(Json& document, const Input& in) {
  if (!in.AtEnd()) document.Add("trailing", BytesToHex(in.Rest()));
}

// Reads a container, turning the archive's failures into one-line reasons.
template <class Read>
Json Convert(const Bytes& bytes, Read read) {
  try {
    Input in(bytes);
    return read(in);
  } catch (const actions::ArchiveError& e) {
    const bool short_ = e.cause() == actions::ArchiveError::Cause::kEndOfFile;
    throw JsonError(short_ ? "the data ends in the middle of an action" : "damaged action data");
  } catch (const actions::FileError&) {
    throw JsonError("the data ends in the middle of an action");
  }
}

}  // namespace

Bytes HexToBytes(const std::wstring& hex) {
  actions::HexStringFile file;
  if (!file.FromText(hex)) throw JsonError("not hexadecimal text");
  Bytes bytes(static_cast<std::size_t>(file.GetLength()));
  if (!bytes.empty()) file.Read(bytes.data(), bytes.size());
  return bytes;
}

std::wstring BytesToHex(const Bytes& bytes) {
  actions::HexStringFile file;
  file.Write(bytes.data(), bytes.size());
  return file.ToText();
}

Json ActionFileToJson(const Bytes& bytes, const JsonCodec& codec) {
  return Convert(bytes, [&](Input& in) {
    Json document;
    document.Add("format", L"action-file");
    if (in.Ar().ReadText() != actions::kActionFileHeader) {
      throw JsonError("not an action file (its header differs)");
    }
    Output canonical;
    canonical.Ar().WriteText(actions::kActionFileHeader);
    if (canonical.Take() != in.Slice(0, in.Position())) {
      document.Add("header", BytesToHex(in.Slice(0, in.Position())));
    }
    const std::int32_t version = in.Ar().ReadInt32();
    document.Add("version", version);
    document.Add("actions", ReadActions(in, in.Ar().ReadInt32(), version, codec));
    AddTrailing(document, in);
    return document;
  });
}

Json VaultSetToJson(const Bytes& bytes, const JsonCodec& codec) {
  return Convert(bytes, [&](Input& in) {
    Json document;
    document.Add("format", L"vault-set");
    const actions::SetHeader header = actions::ReadSetHeader(in.Ar());
    if (header.marker) {
      document.Add("version", -std::int64_t{*header.marker});
    } else {
      document.Add("version", 1);
      document.Add("marker", false);
    }
    document.Add("actions", ReadActions(in, header.count, header.version, codec));
    AddTrailing(document, in);
    return document;
  });
}

Bytes JsonToBytes(const Json& json, const JsonCodec& codec) {
  JsonFields in(json, "the document");
  const Json* format = in.Take("format");
  if (format == nullptr) throw JsonError("the document lacks \"format\"");
  const std::wstring kind = format->AsString("format");
  const Json* versionJson = in.Take("version");
  const std::int64_t version =
      versionJson ? versionJson->AsInteger("version") : std::int64_t{actions::kArchiveVersion};
  const Json* actionList = in.Take("actions");
  const Json::Array noActions;
  const Json::Array& items = actionList ? actionList->AsArray("actions") : noActions;
  const auto count = static_cast<std::int32_t>(items.size());
  const Json* trailing = in.Take("trailing");

  Output out;
  std::int32_t layout = 0;
  if (kind == L"action-file") {
    const Json* header = in.Take("header");
    if (header) {
      out.Raw(HexToBytes(header->AsString("header")));
    } else {
      out.Ar().WriteText(actions::kActionFileHeader);
    }
    layout = versionJson ? versionJson->AsInt32("version") : actions::kArchiveVersion;
    out.Ar().WriteInt32(layout);
    out.Ar().WriteInt32(count);
  } else if (kind == L"vault-set") {
    const Json* marker = in.Take("marker");
    if (marker && !marker->AsBool("marker")) {
      if (version != 1) throw JsonError("a vault set without marker has version 1");
      layout = 1;
    } else {
      if (version <= 0 || version > -std::int64_t{std::numeric_limits<std::int32_t>::min()}) {
        throw JsonError("the version of a vault set lies between 1 and 2147483648");
      }
      const auto stored = static_cast<std::int32_t>(-version);
      layout = actions::LayoutOfMarker(stored);
      out.Ar().WriteInt32(stored);
    }
    out.Ar().WriteInt32(count);
  } else {
    throw JsonError("unknown format \"" + Narrow(kind) + "\"");
  }
  in.Finish();
  for (const Json& action : items) WriteActionFields(out, action, layout, codec);
  if (trailing) out.Raw(HexToBytes(trailing->AsString("trailing")));
  return out.Take();
}

Json CommandJson(std::int32_t type, const std::wstring& summary,
                 std::vector<std::pair<std::string, Json>> fields) {
  Json command;
  command.Add("type", type);
  command.Add("summary", summary);
  for (auto& [key, value] : fields) command.Add(key, std::move(value));
  return command;
}

}  // namespace vendrel::tools
