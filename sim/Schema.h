// The simulated vault's database schema.
#pragma once

#include <string>

#include "platform/Sqlite.h"

namespace vendrel::sim {

inline constexpr int kSchemaVersion = 3;

// Creates every table of a new vault with its root folder and the host's error texts.
void CreateSchema(platform::Database& db, const std::wstring& vaultName,
                  const std::wstring& rootPath);
// Throws when the database is not a vault of this schema version.
void CheckSchema(platform::Database& db);

}  // namespace vendrel::sim
