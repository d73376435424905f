// One action in the JSON form: its texts, activation, conditions, commands and variables, in
// the layout of its version.
#include <optional>

#include "tools/vendrel/ActionJsonParts.h"

namespace vendrel::tools::json_form {
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

Json ActivationJson(std::int32_t kinds) {
  Json names = Json::array();
  for (const Flag& flag : kActivations) {
    if ((kinds & flag.bit) != 0) names.push_back(flag.name);
    kinds &= ~flag.bit;
  }
  if (kinds != 0) names.push_back(kinds);
  return names;
}

std::int32_t ActivationStored(const Json& json, const std::string& where) {
  std::int32_t kinds = 0;
  const Json& items = AsList(json, where);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string at = ItemPlace(where, i);
    if (items[i].is_number_integer()) {
      kinds |= AsInt32(items[i], at);
      continue;
    }
    const std::string name = Narrow(AsText(items[i], at));
    const auto* flag = std::find_if(std::begin(kActivations), std::end(kActivations),
                                    [&](const Flag& f) { return name == f.name; });
    if (flag == std::end(kActivations)) {
      throw JsonError(at + " is no activation: \"" + name + "\"");
    }
    kinds |= flag->bit;
  }
  return kinds;
}

Json CheckOutKindJson(std::int32_t kind) {
  if (kind >= 0 && kind <= actions::kUndoCheckOut) return kCheckOutKinds[kind];
  return kind;
}

std::int32_t CheckOutKindStored(const Json& json, const std::string& where) {
  if (json.is_number_integer()) return AsInt32(json, where);
  const std::string name = Narrow(AsText(json, where));
  for (std::int32_t kind = 0; kind <= actions::kUndoCheckOut; ++kind) {
    if (name == kCheckOutKinds[kind]) return kind;
  }
  throw JsonError(where + " is no check-out kind: \"" + name + "\"");
}

Json Condition(const std::wstring& path, std::optional<std::int32_t> stateId,
               std::optional<Json> kind, std::optional<std::int32_t> after) {
  Json object = {{"path", path}};
  if (stateId) object["stateId"] = *stateId;
  if (kind) object["kind"] = *kind;
  if (after) object["after"] = BoolJson(*after);
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

  Json action = {{"id", head.actionId},
                 {"name", head.name},
                 {"menuText", head.menuText},
                 {"description", head.description},
                 {"activation", ActivationJson(head.activationKinds)}};
  action["stateChange"] =
      Condition(head.stateChangePath, head.stateId, std::nullopt, after(head.stateChangeAfter));
  action["checkOut"] = Condition(head.checkOutPath, std::nullopt,
                                 CheckOutKindJson(head.checkOutKind), after(head.checkOutAfter));
  if (actions::HasAddCondition(version)) {
    action["add"] = Condition(head.addPath, std::nullopt, std::nullopt, head.addAfter);
  }

  Json commandList = Json::array();
  const std::int32_t commandCount = ar.ReadInt32();
  for (std::int32_t i = 0; i < commandCount; ++i) {
    commandList.push_back(ReadCommand(in, version, codec));
  }
  action["commands"] = std::move(commandList);
  Json variables = Json::array();
  const std::int32_t variableCount = ar.ReadInt32();
  for (std::int32_t i = 0; i < variableCount; ++i) {
    Json variable = {{"name", ar.ReadText()}};
    variable["type"] = ar.ReadInt32();
    variable["value"] = ar.ReadText();
    variable["extra"] = ar.ReadText();
    variables.push_back(std::move(variable));
  }
  action["variables"] = std::move(variables);
  return action;
}

std::wstring TextOr(JsonFields& in, std::string_view key, const std::wstring& fallback) {
  const Json* value = in.Take(key);
  return value ? AsText(*value, in.Place(key)) : fallback;
}

std::int32_t IntOr(JsonFields& in, std::string_view key, std::int32_t fallback) {
  const Json* value = in.Take(key);
  return value ? AsInt32(*value, in.Place(key)) : fallback;
}

std::int32_t BoolOr(JsonFields& in, std::string_view key, bool fallback) {
  const Json* value = in.Take(key);
  return value ? BoolStored(*value, in.Place(key)) : (fallback ? 1 : 0);
}

// A condition's members; those the layout has no room for must be absent.
struct ConditionFields {
  std::wstring path;
  std::int32_t stateId = 0;
  std::int32_t kind = 0;
  std::int32_t after = 1;
};

ConditionFields ReadCondition(const Json* json, const std::string& where, bool afterStored) {
  ConditionFields condition;
  if (json == nullptr) return condition;
  JsonFields in(*json, where);
  condition.path = TextOr(in, "path", L"");
  condition.stateId = IntOr(in, "stateId", 0);
  if (const Json* kind = in.Take("kind"))
    condition.kind = CheckOutKindStored(*kind, in.Place("kind"));
  if (afterStored) condition.after = BoolOr(in, "after", true);
  in.Finish();
  return condition;
}

}  // namespace

void WriteAction(Output& out, const Json& json, std::int32_t version, const JsonCodec& codec,
                 const std::string& where) {
  JsonFields in(json, where);
  if (const Json* record = in.Take("record")) {
    in.Finish();
    out.Raw(HexAt(*record, in.Place("record")));
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
  const ConditionFields state =
      ReadCondition(in.Take("stateChange"), in.Place("stateChange"), afterFlags);
  const ConditionFields checkOut =
      ReadCondition(in.Take("checkOut"), in.Place("checkOut"), afterFlags);
  const Json* addJson = in.Take("add");
  if (addJson && !addCondition) {
    throw JsonError(in.Place("add") + " cannot be stored: version " + std::to_string(version) +
                    " has no add condition");
  }
  const ConditionFields add = ReadCondition(addJson, in.Place("add"), addCondition);
  const Json* commandList = in.Take("commands");
  const Json* variables = in.Take("variables");
  in.Finish();

  const actions::RecordHead head{
      .activationKinds = activation ? ActivationStored(*activation, in.Place("activation")) : 0,
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

  const Json noItems = Json::array();
  const Json& commandItems = commandList ? AsList(*commandList, in.Place("commands")) : noItems;
  ar.WriteInt32(static_cast<std::int32_t>(commandItems.size()));
  for (std::size_t i = 0; i < commandItems.size(); ++i) {
    WriteCommand(out, commandItems[i], version, codec, ItemPlace(in.Place("commands"), i));
  }
  const Json& variableItems = variables ? AsList(*variables, in.Place("variables")) : noItems;
  ar.WriteInt32(static_cast<std::int32_t>(variableItems.size()));
  for (std::size_t i = 0; i < variableItems.size(); ++i) {
    JsonFields v(variableItems[i], ItemPlace(in.Place("variables"), i));
    ar.WriteText(TextOr(v, "name", empty));
    ar.WriteInt32(IntOr(v, "type", actions::Variable::kNoKind));
    ar.WriteText(TextOr(v, "value", empty));
    ar.WriteText(TextOr(v, "extra", empty));
    v.Finish();
  }
}

Json ReadAction(Input& in, std::int32_t version, const JsonCodec& codec) {
  const std::size_t start = in.Position();
  Json action = ReadActionFields(in, version, codec);
  const Bytes stored = in.Slice(start, in.Position());
  Output again;
  WriteAction(again, action, version, codec, "the action read");
  if (again.Take() == stored) return action;
  return {{"record", BytesToHex(stored)}};
}

}  // namespace vendrel::tools::json_form
