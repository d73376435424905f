// What a failed vault database operation means to the user of the reference host.
#pragma once

#include <string>

#include "platform/Sqlite.h"

namespace vendrel::tools {

// The database's own messages name tables and constraints: a user is told what it means instead.
std::string DatabaseFailure(const platform::SqliteError& e);

}  // namespace vendrel::tools
