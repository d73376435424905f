// The host operations a user performs on a vault, each between the add-in's notifications:
// shared by their subcommands and by action tests.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {

enum class FileOperation { kCheckOut, kCheckIn, kUndoCheckOut };

// One operation of the check-out family on every file.
Outcome OperateOnFiles(VaultHost& host, FileOperation operation, const std::vector<FileRef>& files,
                       const std::wstring& comment);

// `target` is WORKFLOW.STATE; throws UsageError for a state the vault lacks.
Outcome ChangeStates(VaultHost& host, const std::vector<FileRef>& files, const std::string& target);

struct MenuChoice {
  Outcome outcome;
  std::vector<FileRef> files;     // the files selected, without the folders
  std::optional<VaultMark> mark;  // of the snapshot the files were found in
};
// `args` is the menu text, then the selected vault files and folders. Throws UsageError for a
// menu command the add-in did not register or a path the vault lacks.
MenuChoice ChooseMenuCommand(VaultHost& host, const Args& args);

struct Addition {
  Outcome outcome;
  std::vector<FileRef> files;  // those added
  VaultMark mark;              // of the vault right after the adds
};
// Local files, and local folders with their trees, below the vault folder `to`, relative to the
// current folder. `progress` shows the count of a large add.
Addition AddLocalFiles(VaultHost& host, const Args& given, const std::string& to,
                       std::ostream* progress);

}  // namespace vendrel::tools
