// The command line through CLI11: global options, the table's commands as its subcommands, the
// generated help; every failure becomes one line and a code.
#include "tools/vendrel/Cli.h"

#include <CLI/CLI.hpp>
#include <deque>
#include <map>
#include <ostream>
#include <type_traits>
#include <variant>

#include "platform/Utf8.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/DatabaseFailure.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

constexpr const char* kFooter =
    "The vault is --vault DIR, else the VENDREL_VAULT environment variable.\n"
    "Message boxes and dialogs of actions take the lines of --answers FILE in turn (a button\n"
    "name, or a dialog's answer; see docs/answers.md), else ask at the terminal.";

// Where CLI11 puts what one subcommand was given.
struct Bound {
  const CommandForm* form = nullptr;
  CLI::App* app = nullptr;
  Args arguments;
  Given given;
};

// An option bound to its member of `given`: a flag for a bool, else one value each time it is
// given, so the arguments after it stay arguments.
CLI::Option* AddOption(CLI::App& app, const OptionForm& option, Given& given) {
  return std::visit(
      [&](auto member) -> CLI::Option* {
        auto& target = given.*member;
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(target)>, bool>) {
          return app.add_flag(option.name, target, option.help);
        } else {
          CLI::Option* added = app.add_option(option.name, target, option.help);
          added->type_name(option.value)->required(option.required)->allow_extra_args(false);
          if (option.check) added->transform(option.check());
          return added->option_text(option.value);
        }
      },
      option.member);
}

// Lists each command with its arguments, as its usage shows it.
class Formatter final : public CLI::Formatter {
 public:
  void Add(const CLI::App* app, std::string synopsis) { synopses_[app] = std::move(synopsis); }
  // Empty for the group of commands like "acn".
  std::string Synopsis(const CLI::App* app) const {
    const auto known = synopses_.find(app);
    return known == synopses_.end() ? std::string() : known->second;
  }

  std::string make_subcommand(const CLI::App* sub) const override {
    const std::string synopsis = Synopsis(sub);
    if (synopsis.empty()) {  // a group: its commands
      std::string lines;
      for (const CLI::App* command : sub->get_subcommands({})) lines += make_subcommand(command);
      return lines;
    }
    std::stringstream out;
    CLI::detail::format_help(out, synopsis, sub->get_description(), column_width_);
    // A command may hold commands of its own: "card" and "card set".
    for (const CLI::App* command : sub->get_subcommands({})) out << make_subcommand(command);
    return out.str();
  }

  // A command's usage line already shows its arguments.
  std::string make_positionals(const CLI::App* app) const override {
    return Synopsis(app).empty() ? CLI::Formatter::make_positionals(app) : std::string();
  }

  std::string make_usage(const CLI::App* app, std::string name) const override {
    const std::string synopsis = Synopsis(app);
    if (synopsis.empty()) return CLI::Formatter::make_usage(app, std::move(name));
    return "usage: vendrel " + synopsis + "\n";
  }

 private:
  std::map<const CLI::App*, std::string> synopses_;
};

CLI::App* CommandApp(CLI::App& root, const CommandForm& form) {
  const std::string name = form.name;
  const std::size_t space = name.find(' ');
  if (space == std::string::npos) return root.add_subcommand(name, form.help);
  const std::string group = name.substr(0, space);
  const std::vector<CLI::App*> known =
      root.get_subcommands([&](const CLI::App* app) { return app->get_name() == group; });
  CLI::App* parent =
      known.empty() ? root.add_subcommand(group)->require_subcommand(1) : known.front();
  return parent->add_subcommand(name.substr(space + 1), form.help);
}

void Declare(CLI::App& root, Formatter& formatter, std::deque<Bound>& bound) {
  for (const CommandForm& form : AllCommands()) {
    Bound& b = bound.emplace_back();
    b.form = &form;
    b.app = CommandApp(root, form);
    formatter.Add(b.app, Synopsis(form));
    // vendrel's own options may follow the command.
    b.app->fallthrough();
    if (b.app->get_parent() != &root) b.app->get_parent()->fallthrough();
    b.app->add_option("arguments", b.arguments, form.arguments);
    for (const OptionForm& option : form.options) AddOption(*b.app, option, b.given);
  }
}

// CLI11's reason, with the usage of the command it was given to; a group without its command
// shows the usage of each, and a word that is no command is named as such.
std::string Reason(const CLI::App& root, const Formatter& formatter, const CLI::ParseError& error) {
  const CLI::App* app = &root;
  while (!app->get_subcommands().empty()) app = app->get_subcommands().front();
  if (app == &root) {
    const std::vector<std::string> extra = root.remaining();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) && !extra.empty() &&
        !extra.front().starts_with("-")) {
      return "unknown command " + extra.front() + " (vendrel --help lists them)";
    }
    return error.what();
  }
  if (const std::string synopsis = formatter.Synopsis(app); !synopsis.empty()) {
    return std::string(error.what()) + "; usage: vendrel " + synopsis;
  }
  std::string group;
  for (const CLI::App* command : app->get_subcommands({})) {
    group += (group.empty() ? "" : " | ") + formatter.Synopsis(command);
  }
  return "usage: vendrel " + group;
}

// A folder or a missing file is refused before anything runs.
CLI::Validator AnswersFile() {
  return CLI::Validator([](const std::string& given) { return NoFile(given); }, "");
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
  return platform::FromUtf8(utf8);
}

std::string Utf8(const std::wstring& text) {
  return platform::ToUtf8(text);
}

int RunCli(const Args& args, Console& console) {
  CLI::App app("vendrel: the reference host of the add-in, on a simulated vault", "vendrel");
  auto formatter = std::make_shared<Formatter>();
  app.formatter(formatter);
  Options options;
  std::string user;
  std::string computer;
  const auto last = CLI::MultiOptionPolicy::TakeLast;
  app.add_option("--vault", options.vault, "the vault's folder")
      ->type_name("DIR")
      ->envname("VENDREL_VAULT")
      ->multi_option_policy(last);
  app.add_option("--user", user, "who logs in (the vault's first user)")
      ->type_name("NAME")
      ->multi_option_policy(last);
  app.add_option("--computer", computer, "the computer the vault sees (this one)")
      ->type_name("NAME")
      ->multi_option_policy(last);
  app.add_option("--answers", options.answers, "the answers to the boxes and dialogs, a line each")
      ->type_name("FILE")
      ->check(AnswersFile())
      ->multi_option_policy(last);
  app.add_flag("--json", options.json, "the answer as JSON, errors too");
  app.add_flag("--full", options.full,
               "every document of a run in the trace, and each of its steps, not the first ten");
  app.require_subcommand(0, 1);
  std::deque<Bound> bound;
  Declare(app, *formatter, bound);
  app.footer(kFooter);
  // A parse error may come before --json is read.
  const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
  const auto fail = [&](const std::string& reason, int code) {
    if (json) {
      console.out << WriteJson({{"error", reason}, {"exit", code}});
    } else {
      console.err << "vendrel: " << reason << "\n";
    }
    return code;
  };
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, console.out, console.err);
  } catch (const CLI::ParseError& e) {
    return fail(Reason(app, *formatter, e), kExitUsage);
  }
  if (app.get_subcommands().empty()) {
    console.err << app.help();
    return kExitUsage;
  }
  options.user = Wide(user);
  options.computer = Wide(computer);
  try {
    for (Bound& b : bound) {
      // "card set" is parsed inside "card": the command is the innermost one given.
      if (!b.app->parsed() || !b.app->get_subcommands().empty()) continue;
      if (!*b.form->arguments && !b.arguments.empty()) {
        throw UsageError(std::string(b.form->name) + " takes no argument " + b.arguments[0]);
      }
      Call call(*b.form, options, console);
      call.Parsed(std::move(b.arguments), std::move(b.given));
      return call.Finish(b.form->run(call));
    }
  } catch (const RefusedError& e) {
    return fail(e.what(), kExitRefused);
  } catch (const platform::SqliteError& e) {
    return fail(DatabaseFailure(e), kExitUsage);
  } catch (const std::exception& e) {
    return fail(e.what(), kExitUsage);
  }
  return kExitUsage;
}

}  // namespace vendrel::tools
