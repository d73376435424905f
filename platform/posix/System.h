// Environment, clock and machine identity on posix; the names are settable for tests.
#pragma once

#include <optional>

#include "platform/System.h"

namespace vendrel::platform::posix {

class PosixEnvironment : public Environment {
 public:
  std::optional<std::wstring> Get(const std::wstring& name) override;
  std::vector<std::wstring> Block() override;
};

class PosixClock : public Clock {
 public:
  LocalTime Now() override;
  void Sleep(std::uint32_t milliseconds) override;
};

// The computer name is VENDREL_COMPUTERNAME or the host name in upper case (as Windows shows
// it), read at the first call; the user name is VENDREL_USERNAME or the login name. Either may be
// fixed instead.
class PosixMachine : public Machine {
 public:
  PosixMachine() = default;
  PosixMachine(std::wstring computer, std::wstring user)
      : computer_(std::move(computer)), user_(std::move(user)) {}

  std::wstring ComputerName() override;
  std::wstring UserName() override;
  // The English texts of the codes this emulation and the simulated vault produce.
  std::wstring SystemMessage(std::uint32_t code) override;
  // The simulated vault leaves no error objects.
  std::wstring ErrorObjectDescription() override;

 private:
  std::optional<std::wstring> computer_;
  std::optional<std::wstring> user_;
};

// The English text of a Win32 error number that the emulation produces; empty for the others.
std::wstring Win32ErrorText(std::uint32_t error);

}  // namespace vendrel::platform::posix
