// How the reference host shows a message of a user's inbox.
#pragma once

#include <string>

#include "sim/SimVault.h"

namespace vendrel::tools {

// from Chief to Staff, "Reviewed": please have a look
std::string MessageLine(const sim::InboxMessage& message);

}  // namespace vendrel::tools
