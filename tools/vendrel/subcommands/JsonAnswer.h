// Subcommands that answer in lines, or in one JSON document when asked.
#pragma once

#include "tools/vendrel/Command.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

// The command's own --json, or vendrel's.
inline bool WantsJson(const Call& call) {
  return call.Has("--json") || call.Global().json;
}

}  // namespace vendrel::tools
