// Stored actions to JSON and back. Whatever the JSON form cannot say exactly (a text stored in
// an old 8-bit form or holding an unpaired surrogate, a layout of an older version) stays as
// hex, so the bytes always come back.
#include "tools/vendrel/ActionJson.h"

#include <limits>

#include "tools/vendrel/ActionJsonParts.h"

namespace vendrel::tools {

namespace json_form {

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

Json BoolJson(std::int32_t stored) {
  if (stored == 0 || stored == 1) return stored == 1;
  return stored;
}

Bytes HexAt(const Json& json, const std::string& place) {
  const std::wstring text = AsText(json, place);
  try {
    return HexToBytes(text);
  } catch (const JsonError&) {
    throw JsonError(place + " is not hexadecimal text");
  }
}

std::int32_t BoolStored(const Json& json, std::string_view what) {
  if (json.is_boolean()) return AsBool(json, what) ? 1 : 0;
  return AsInt32(json, what);
}

}  // namespace json_form

namespace {

using json_form::Input;
using json_form::Output;

Json ReadActions(Input& in, std::int32_t count, std::int32_t version, const JsonCodec& codec) {
  if (count < 0) throw JsonError("the action count is negative");
  Json list = Json::array();
  for (std::int32_t i = 0; i < count; ++i) {
    list.push_back(json_form::ReadAction(in, version, codec));
  }
  return list;
}

void AddTrailing(Json& document, const Input& in) {
  if (!in.AtEnd()) document["trailing"] = BytesToHex(in.Rest());
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
    Json document = {{"format", "action-file"}};
    if (in.Ar().ReadText() != actions::kActionFileHeader) {
      throw JsonError("not an action file (its header differs)");
    }
    Output canonical;
    canonical.Ar().WriteText(actions::kActionFileHeader);
    if (canonical.Take() != in.Slice(0, in.Position())) {
      document["header"] = BytesToHex(in.Slice(0, in.Position()));
    }
    const std::int32_t version = in.Ar().ReadInt32();
    document["version"] = version;
    document["actions"] = ReadActions(in, in.Ar().ReadInt32(), version, codec);
    AddTrailing(document, in);
    return document;
  });
}

Json VaultSetToJson(const Bytes& bytes, const JsonCodec& codec) {
  return Convert(bytes, [&](Input& in) {
    Json document = {{"format", "vault-set"}};
    const actions::SetHeader header = actions::ReadSetHeader(in.Ar());
    if (header.marker) {
      document["version"] = -std::int64_t{*header.marker};
    } else {
      document["version"] = 1;
      document["marker"] = false;
    }
    document["actions"] = ReadActions(in, header.count, header.version, codec);
    AddTrailing(document, in);
    return document;
  });
}

Bytes ActionFileOf(const Json& action, std::int32_t version, const JsonCodec& codec,
                   const std::string& where) {
  Output out;
  out.Ar().WriteText(actions::kActionFileHeader);
  out.Ar().WriteInt32(version);
  out.Ar().WriteInt32(1);
  json_form::WriteAction(out, action, version, codec, where);
  return out.Take();
}

Bytes JsonToBytes(const Json& json, const JsonCodec& codec) {
  JsonFields in(json, "the document");
  const Json* format = in.Take("format");
  if (format == nullptr) throw JsonError("the document lacks \"format\"");
  const std::string kind = json_form::Narrow(AsText(*format, "format"));
  const Json* versionJson = in.Take("version");
  const std::int64_t version =
      versionJson ? AsInteger(*versionJson, "version") : std::int64_t{actions::kArchiveVersion};
  const Json* actionList = in.Take("actions");
  const Json noActions = Json::array();
  const Json& items = actionList ? AsList(*actionList, "actions") : noActions;
  const auto count = static_cast<std::int32_t>(items.size());
  const Json* trailing = in.Take("trailing");

  Output out;
  std::int32_t layout = 0;
  if (kind == "action-file") {
    const Json* header = in.Take("header");
    if (header) {
      out.Raw(json_form::HexAt(*header, "header"));
    } else {
      out.Ar().WriteText(actions::kActionFileHeader);
    }
    layout = versionJson ? AsInt32(*versionJson, "version") : actions::kArchiveVersion;
    out.Ar().WriteInt32(layout);
    out.Ar().WriteInt32(count);
  } else if (kind == "vault-set") {
    const Json* marker = in.Take("marker");
    if (marker && !AsBool(*marker, "marker")) {
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
    throw JsonError("unknown format \"" + kind + "\"");
  }
  in.Finish();
  for (std::size_t i = 0; i < items.size(); ++i) {
    json_form::WriteAction(out, items[i], layout, codec, ItemPlace("actions", i));
  }
  if (trailing) out.Raw(json_form::HexAt(*trailing, "trailing"));
  return out.Take();
}

}  // namespace vendrel::tools
