// Global options and the dispatch to the commands; every failure becomes one line and a code.
#include "tools/vendrel/Cli.h"

#include <cstdlib>
#include <ostream>

#include "platform/Utf8.h"

namespace vendrel::tools {
namespace {

constexpr const char* kUsage =
    "usage: vendrel [--vault DIR] [--user NAME] [--computer NAME] [--answers FILE] [--json] "
    "COMMAND ...\n"
    "commands:\n"
    "  init DIR [--root C:\\Name] [--user NAME]...\n"
    "  add LOCALFILE... --to VAULTFOLDER\n"
    "  checkout PATH...\n"
    "  checkin PATH... [--comment TEXT]\n"
    "  undo-checkout PATH...\n"
    "  state PATH... --to WORKFLOW.STATE\n"
    "  menu \"MENU TEXT\" [PATH...]\n"
    "  registered\n"
    "  import FILE.acn | export FILE.acn | actions [--json]\n"
    "  acn to-json FILE.acn | acn from-json FILE.json -o FILE.acn\n"
    "  hex to-json TEXT | hex from-json FILE.json\n"
    "  ls [FOLDER] | show PATH\n"
    "  demo\n"
    "The vault is --vault DIR, else the VENDREL_VAULT environment variable.\n"
    "Message boxes and dialogs of actions take the lines of --answers FILE in turn (a button\n"
    "name, or a dialog's answer; see docs/answers.md), else ask at the terminal.\n";

std::string Value(const Args& args, std::size_t& i) {
  if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
  return args[++i];
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
  return platform::FromUtf8(utf8);
}

std::string Utf8(const std::wstring& text) {
  return platform::ToUtf8(text);
}

int RunCli(const Args& args, Console& console) {
  try {
    Options options;
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
      const std::string& option = args[i];
      if (option == "--vault") {
        options.vault = Value(args, i);
      } else if (option == "--user") {
        options.user = Wide(Value(args, i));
      } else if (option == "--computer") {
        options.computer = Wide(Value(args, i));
      } else if (option == "--answers") {
        options.answers = Value(args, i);
      } else if (option == "--json") {
        options.json = true;
      } else if (option == "--help") {
        console.out << kUsage;
        return kExitOk;
      } else {
        throw UsageError("unknown option " + option);
      }
    }
    if (i == args.size()) {
      console.err << kUsage;
      return kExitUsage;
    }
    if (!options.vault) {
      if (const char* env = std::getenv("VENDREL_VAULT"); env && *env) options.vault = env;
    }
    const std::string command = args[i];
    const Args rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    if (command == "init") return RunInit(rest, console);
    if (command == "acn" || command == "hex") return RunConversion(command, rest, console);
    if (command == "demo") return RunDemo(options, console);
    return RunVaultCommand(command, rest, options, console);
  } catch (const std::exception& e) {
    console.err << "vendrel: " << e.what() << "\n";
  }
  return kExitUsage;
}

}  // namespace vendrel::tools
