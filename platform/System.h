// Small machine services: environment, clock, computer name and user, system message texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/CivilTime.h"

namespace vendrel::platform {

class Environment {
 public:
  virtual ~Environment() = default;
  virtual std::optional<std::wstring> Get(const std::wstring& name) = 0;
  // The process's environment block: one "name=value" text per variable, in block order.
  virtual std::vector<std::wstring> Block() = 0;
};

using LocalTime = CivilTime;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

// The machine's own clock, for what is handed none.
Clock& SystemClock();

class Machine {
 public:
  virtual ~Machine() = default;
  // Read once, at the first call, and kept: a check-out's computer is compared with it.
  virtual std::wstring ComputerName() = 0;
  // Name of the user running this process.
  virtual std::wstring UserName() = 0;
  // The system's text for a Win32 error or a status code, without its trailing line end; empty
  // when the system has none.
  virtual std::wstring SystemMessage(std::uint32_t code) = 0;
  // The description of the calling thread's error object, which a host may leave behind a
  // failed call; empty when there is none. Reading it takes it away.
  virtual std::wstring ErrorObjectDescription() = 0;
};

}  // namespace vendrel::platform
