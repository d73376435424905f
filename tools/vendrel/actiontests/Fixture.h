// Building a test's fixture in a vault and on the machine its paths map to.
#pragma once

#include <filesystem>
#include <string>

#include "tools/vendrel/Host.h"
#include "tools/vendrel/actiontests/TestFile.h"

namespace vendrel::tools {

// Through `host`, before the add-in is loaded, so that no action runs. Local contents are
// written through `scratch`. Throws UsageError naming the place under `where` of a part that
// cannot be built.
void BuildFixture(VaultHost& host, const Fixture& fixture, const std::filesystem::path& scratch,
                  const std::string& where);

}  // namespace vendrel::tools
