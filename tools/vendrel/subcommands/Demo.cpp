// `vendrel demo`: a fresh vault in a temporary folder, the actions of examples/demo/actions.json,
// and a short session of a user working with them, traced as it happens.
#include <algorithm>
#include <fstream>
#include <ostream>

#include "addin/CVornAddIn.h"
#include "platform/NativePath.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Inbox.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/workbench/ActionSets.h"

namespace vendrel::tools {

extern const std::string_view kDemoActions;

namespace fs = std::filesystem;

namespace {

// Who sees an administration command.
const char* Audience(std::int32_t flags) {
  if (flags == addin::kAdminChiefFlags) return " (for Chief)";
  if (flags == addin::kAdminEveryoneFlags) return " (for every user)";
  return "";
}

void WriteLocal(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

}  // namespace

int RunDemo(Call& call) {
  const Options& options = call.Global();
  Console& console = call.Io();
  const fs::path folder = MakeTemporaryFolder("vendrel-demo-");
  std::ostream& out = console.out;
  {
    const auto vault = CreateVault(folder, L"Demo", L"C:\\Demo", {L"Chief", L"anna"});
    // Written without a check-out, as card variables for review notes usually are.
    vault->AddVariable(L"Reviewed", 1, 8);
  }

  // What the person reading along chooses when the backup asks.
  const fs::path answers = folder / "answers.txt";
  WriteLocal(answers, "C:\\Safe\n");
  Answers nobody(console.err);
  VaultHost host(folder, L"Chief", options.computer, nobody, &out);
  out << "A new vault \"Demo\" (root C:\\Demo) in " << folder.string() << ", user Chief.\n";
  host::Ref<host::VaultFolder> root;
  host::Ref<host::VaultFolder> projects;
  host.Session().GetFolderFromPath(L"C:\\Demo", root);
  root->AddFolder(0, L"Projects", 0, projects);
  const fs::path scratch = folder / "scratch";
  for (const char* name : {"plan.txt", "notes.txt"}) {
    WriteLocal(scratch / name, std::string("The ") + name + " of the demo.\n");
    host::Ref<host::VaultFile> file;
    projects->AddFile(0, platform::WindowsPath(scratch / name), Wide(name), 1, file);
  }
  // The template the parameter file is written from, kept in the vault like any document.
  host::Ref<host::VaultFolder> templates;
  root->AddFolder(0, L"Templates", 0, templates);
  WriteLocal(scratch / "part.tpl",
             "; written from C:\\Demo\\Templates\\part.tpl\n"
             "part=%NameOfSelectedFile%\n"
             "version=%CurrentVersionOfFile%\n"
             "state=%SelectedFileCurrentWorkflowState%\n"
             "by=%NameOfLoggedInUser%\n");
  host::Ref<host::VaultFile> added;
  templates->AddFile(0, platform::WindowsPath(scratch / "part.tpl"), L"part.tpl", 1, added);
  StoreSetJson(host, ParseJson(kDemoActions));
  host.LoadAddIn();

  out << "\nThe add-in is loaded and registers:\n";
  for (const MenuEntry& entry : host.Registered().menus) {
    out << "  menu " << entry.id << " \"" << Utf8(entry.text) << "\"" << Audience(entry.flags)
        << "\n";
  }
  for (const std::int32_t kind : host.Registered().hooks) {
    out << "  hook " << kind << " (" << NotificationName(kind) << ")\n";
  }

  // Only the backup asks; an answer another step left unused would count as its failure.
  const auto step = [&](const Args& args, bool answered = false) {
    out << "\n$ vendrel --vault " << folder.string();
    Args all = {"--vault", folder.string(), "--user", "Chief"};
    if (answered) {
      out << " --answers " << answers.string();
      all.insert(all.end(), {"--answers", answers.string()});
    }
    for (const std::string& arg : args) {
      out << " " << (arg.find(' ') == std::string::npos ? arg : "\"" + arg + "\"");
    }
    out << "\n";
    all.insert(all.end(), args.begin(), args.end());
    Console quiet{console.in, out, console.err, false};
    return RunCli(all, quiet);
  };
  if (host.AddInLinked()) {
    out << "\nThe backup answers its dialog from " << answers.string()
        << ", which says C:\\Safe.\n";
  } else {
    out << "\nThe add-in shows its own dialog when the backup asks where to: choose C:\\Safe.\n";
  }
  step({"menu", "Backup\\Selected files", "Projects\\plan.txt", "Projects\\notes.txt"}, true);
  const auto list = [&](const std::wstring& windowsFolder) {
    out << "  " << Utf8(windowsFolder) << " now holds:";
    std::error_code error;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(platform::NativePath(windowsFolder), error)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) out << " " << name;
    out << "\n";
  };
  list(L"C:\\Safe");
  step({"checkout", "Projects\\plan.txt"});
  step({"checkin", "Projects\\plan.txt"});
  list(L"C:\\Archive");
  step({"state", "Projects\\plan.txt", "--to", "Release.Review"});
  const int refused = step({"state", "Projects\\plan.txt", "--to", "Release.Released"});
  step({"show", "Projects\\plan.txt"});
  step({"menu", "Parameters\\Write parameter file", "Projects\\plan.txt"});
  std::ifstream generated(platform::NativePath(L"C:\\Demo\\Projects\\plan.txt.par"));
  out << "  C:\\Demo\\Projects\\plan.txt.par, now in the vault, reads:\n";
  for (std::string line; std::getline(generated, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out << "    " << line << "\n";
  }
  step({"menu", "Card\\Mark reviewed", "Projects\\notes.txt"});
  step({"show", "Projects\\notes.txt"});
  for (const sim::InboxMessage& message : host.Vault().Inbox(L"anna")) {
    out << "  anna's inbox: " << MessageLine(message) << "\n";
  }
  out << "\nThe last state change was refused (exit code " << refused << "). The vault stays in "
      << folder.string() << "; try:\n  vendrel --vault " << folder.string() << " actions\n";
  return kExitOk;
}

}  // namespace vendrel::tools
