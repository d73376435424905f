// Offline conversions between action files, vault hex text and the JSON form.
#include <fstream>
#include <iterator>
#include <ostream>

#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Files.h"

namespace vendrel::tools {

Bytes ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw UsageError("cannot read " + file.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw UsageError("cannot write " + file.string());
}

Json ReadJson(const std::filesystem::path& file) {
  const Bytes bytes = ReadBytes(file);
  return Json::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The document must be of the container the command converts to.
static void ExpectFormat(const Json& json, const wchar_t* format) {
  const Json* given = json.Find("format");
  if (given == nullptr || !given->IsString() || given->AsString("format") != format) {
    throw UsageError("the JSON document is not of format \"" + Utf8(format) + "\"");
  }
}

int RunConversion(const std::string& command, const Args& args, Console& console) {
  const JsonCodec codec = DefaultCodec();
  const std::string direction = args.empty() ? "" : args[0];
  if (command == "acn" && direction == "to-json" && args.size() == 2) {
    console.out << ActionFileToJson(ReadBytes(args[1]), codec).Write();
    return kExitOk;
  }
  if (command == "acn" && direction == "from-json" && args.size() == 4 && args[2] == "-o") {
    const Json json = ReadJson(args[1]);
    ExpectFormat(json, L"action-file");
    WriteBytes(args[3], JsonToBytes(json, codec));
    return kExitOk;
  }
  if (command == "hex" && direction == "to-json" && args.size() == 2) {
    console.out << VaultSetToJson(HexToBytes(Wide(args[1])), codec).Write();
    return kExitOk;
  }
  if (command == "hex" && direction == "from-json" && args.size() == 2) {
    const Json json = ReadJson(args[1]);
    ExpectFormat(json, L"vault-set");
    console.out << Utf8(BytesToHex(JsonToBytes(json, codec))) << "\n";
    return kExitOk;
  }
  throw UsageError("usage: vendrel " + command + " to-json " +
                   (command == "acn" ? "FILE.acn | acn from-json FILE.json -o FILE.acn"
                                     : "TEXT | hex from-json FILE.json"));
}

}  // namespace vendrel::tools
