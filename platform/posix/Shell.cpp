// Command lines through /bin/sh; documents and folders only checked for and reported.
#include "platform/posix/Shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/CaseFold.h"
#include "platform/Utf8.h"

extern char** environ;

namespace vendrel::platform::posix {
namespace {

// The LINE of "cmd.exe /c LINE"; empty when the request is no such command line.
std::optional<std::wstring> CommandLine(const ShellRequest& request) {
  const std::wstring_view file = request.file;
  const std::size_t slash = file.find_last_of(L"\\/");
  const std::wstring_view name = slash == std::wstring_view::npos ? file : file.substr(slash + 1);
  const std::wstring_view parameters = request.parameters;
  if (!SameIgnoringCase(name, L"cmd.exe") || parameters.size() < 3 ||
      !SameIgnoringCase(parameters.substr(0, 3), L"/c ")) {
    return std::nullopt;
  }
  return std::wstring(parameters.substr(3));
}

class ChildProcess final : public Process {
 public:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  ~ChildProcess() override {
    // Closing the handle without waiting leaves the child running; the host reaps it later.
    if (pid_ > 0) ::waitpid(pid_, nullptr, WNOHANG);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Wait() override {
    int status = 0;
    while (pid_ > 0 && ::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
  }

 private:
  pid_t pid_;
};

// The child reads nothing from the host's input, which carries the answers, and writes to the
// host's error stream, so that its output never mixes into the trace or the JSON.
ShellResult RunThroughShell(const std::wstring& line, bool keep) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 2, 1);
  const std::string command = ToUtf8(line);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  const int failed =
      posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return {};
  auto process = std::make_unique<ChildProcess>(pid);
  if (!keep) return {true, nullptr};
  return {true, std::move(process)};
}

}  // namespace

ShellResult PosixShell::Execute(const ShellRequest& request) {
  if (const auto line = CommandLine(request)) {
    return RunThroughShell(*line, (request.mask & see::kNoCloseProcess) != 0);
  }
  std::error_code ec;
  const bool folder = (request.mask & see::kClassName) != 0 && request.className == L"Folder";
  const std::filesystem::path native = drives_.Map(request.file).text;
  const bool found = folder ? std::filesystem::is_directory(native, ec)
                            : std::filesystem::is_regular_file(native, ec);
  if (!found) return {};
  if (note_) {
    std::wstring text = L"shell " + request.verb + L" " + request.file;
    if (!request.parameters.empty()) text += L" " + request.parameters;
    note_(text);
  }
  return {true, nullptr};
}

// The rules of the Windows shell's own function: a leading "\" or "\\" and a drive's "X:\" stay.
std::wstring PosixShell::RemoveFileSpec(const std::wstring& path) {
  std::size_t at = 0;
  std::size_t kept = 0;
  for (int i = 0; i < 2 && at < path.size() && path[at] == L'\\'; ++i) kept = ++at;
  while (at < path.size()) {
    if (path[at] == L'\\') {
      kept = at;
    } else if (path[at] == L':') {
      kept = ++at;
      if (at < path.size() && path[at] == L'\\') ++kept;
      if (at >= path.size()) break;
    }
    ++at;
  }
  return path.substr(0, kept);
}

}  // namespace vendrel::platform::posix
