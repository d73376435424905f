// Posix environment, clock, computer and user names.
#include "platform/posix/System.h"

#include <pwd.h>
#include <unistd.h>

// The process's environment block.
extern char** environ;

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "platform/CaseFold.h"
#include "platform/Utf8.h"

namespace vendrel::platform::posix {
namespace {

std::optional<std::wstring> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return FromUtf8(value);
}

std::wstring ReadComputerName() {
  if (auto name = Variable("VENDREL_COMPUTERNAME"); name && !name->empty()) return *name;
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  std::wstring name = FromUtf8(host);
  name = name.substr(0, name.find(L'.'));
  return UpperCase(std::move(name));
}

}  // namespace

std::optional<std::wstring> PosixEnvironment::Get(const std::wstring& name) {
  return Variable(ToUtf8(name).c_str());
}

std::vector<std::wstring> PosixEnvironment::Block() {
  std::vector<std::wstring> block;
  for (char** entry = environ; entry && *entry; ++entry) block.push_back(FromUtf8(*entry));
  return block;
}

LocalTime PosixClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

void PosixClock::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::wstring PosixMachine::ComputerName() {
  if (!computer_) computer_ = ReadComputerName();
  return *computer_;
}

std::wstring PosixMachine::ErrorObjectDescription() {
  return {};
}

std::wstring PosixMachine::UserName() {
  if (user_) return *user_;
  if (auto name = Variable("VENDREL_USERNAME"); name && !name->empty()) return *name;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name)
    return FromUtf8(entry->pw_name);
  return Variable("USER").value_or(L"");
}

}  // namespace vendrel::platform::posix

namespace vendrel::platform {

Clock& SystemClock() {
  static posix::PosixClock clock;
  return clock;
}

}  // namespace vendrel::platform
