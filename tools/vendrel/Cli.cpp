// Global options and the dispatch to the commands; every failure becomes one line and a code.
#include "tools/vendrel/Cli.h"

#include <cstdlib>
#include <ostream>

#include "platform/Utf8.h"
#include "tools/vendrel/Command.h"

namespace vendrel::tools {
namespace {

std::string Usage() {
  std::string usage =
      "usage: vendrel [--vault DIR] [--user NAME] [--computer NAME] [--answers FILE] [--json] "
      "COMMAND ...\n"
      "commands:\n";
  for (const CommandForm& form : AllCommands()) usage += "  " + Synopsis(form) + "\n";
  return usage +
         "The vault is --vault DIR, else the VENDREL_VAULT environment variable.\n"
         "Message boxes and dialogs of actions take the lines of --answers FILE in turn (a "
         "button\nname, or a dialog's answer; see docs/answers.md), else ask at the terminal.\n";
}

std::string Value(const Args& args, std::size_t& i) {
  if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
  return args[++i];
}

// The command whose words start at args[i]; i moves past them.
const CommandForm& FindCommand(const Args& args, std::size_t& i) {
  const std::string& word = args[i];
  std::string group;
  for (const CommandForm& form : AllCommands()) {
    const std::string_view name = form.name;
    if (name == word) {
      ++i;
      return form;
    }
    if (name.starts_with(word + " ")) {
      group += (group.empty() ? "" : " | ") + Synopsis(form);
      if (i + 1 < args.size() && name == word + " " + args[i + 1]) {
        i += 2;
        return form;
      }
    }
  }
  if (!group.empty()) throw UsageError("usage: vendrel " + group);
  throw UsageError("unknown command " + word + " (vendrel --help lists them)");
}

void ParseCommandArguments(const CommandForm& form, const Args& args, std::size_t i, Call& call) {
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const OptionForm* option = nullptr;
    for (const OptionForm& o : form.options) {
      if (arg == o.name) option = &o;
    }
    if (option) {
      call.AddValue(arg, option->value ? Value(args, i) : "");
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else if (!*form.arguments) {
      throw UsageError(std::string(form.name) + " takes no argument " + arg);
    } else {
      call.AddArgument(arg);
    }
  }
  for (const OptionForm& o : form.options) {
    if (o.required && !call.Has(o.name)) throw call.Misused();
  }
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
        console.out << Usage();
        return kExitOk;
      } else {
        throw UsageError("unknown option " + option);
      }
    }
    if (i == args.size()) {
      console.err << Usage();
      return kExitUsage;
    }
    if (!options.vault) {
      if (const char* env = std::getenv("VENDREL_VAULT"); env && *env) options.vault = env;
    }
    const CommandForm& form = FindCommand(args, i);
    Call call(form, options, console);
    ParseCommandArguments(form, args, i, call);
    return form.run(call);
  } catch (const std::exception& e) {
    console.err << "vendrel: " << e.what() << "\n";
  }
  return kExitUsage;
}

}  // namespace vendrel::tools
