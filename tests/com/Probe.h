// What the probe add-in behind the test server received, and the answers it gives.
#pragma once

#include <cstdint>
#include <string>

#include "host/AddIn.h"

namespace vendrel::probe {

struct State {
  // Answers to on command.
  host::HResult status = host::kOk;
  std::int32_t refreshFlags = 0;
  std::int16_t veto = 0;
  // The last notification as the add-in saw it; the vault is kept by its name.
  host::HostNotification last;
  std::wstring lastVaultName;
  int notifications = 0;
};

// Exported by the probe server as "ProbeState".
using StateFn = State*();

}  // namespace vendrel::probe
