// Opening a vault for one command.
#include "tools/vendrel/Session.h"

#include <fstream>

namespace vendrel::tools {

std::unique_ptr<platform::Answerer> MakeAnswerer(const Options& options, Console& console) {
  if (options.answers) {
    std::ifstream in(*options.answers);
    if (!in) throw UsageError("cannot read " + options.answers->string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return std::make_unique<platform::ScriptedAnswerer>(std::move(lines), console.err);
  }
  if (console.interactive) {
    return std::make_unique<platform::TerminalAnswerer>(console.in,
                                                        options.json ? console.err : console.out);
  }
  return std::make_unique<platform::ScriptedAnswerer>(std::vector<std::string>(), console.err);
}

Session::Session(const Options& options, Console& console)
    : answerer_(MakeAnswerer(options, console)) {
  if (!options.vault) throw UsageError("no vault: give --vault DIR or set VENDREL_VAULT");
  if (!std::filesystem::exists(DatabaseOf(*options.vault))) {
    throw UsageError("no vault in " + options.vault->string());
  }
  host_ = std::make_unique<VaultHost>(*options.vault, options.user, options.computer, *answerer_,
                                      options.json ? nullptr : &console.out);
  host_->LoadAddIn();
}

}  // namespace vendrel::tools
