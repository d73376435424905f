// What an action test expects after its operation: the kinds of expectation, their check against
// what the run left, and the record of what it left.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/actiontests/TestFile.h"
#include "tools/vendrel/workbench/VaultCopy.h"

namespace vendrel::tools {

// What one run left: the host on the vault it ran in, the answers it gave, its trace, and what
// changed in the vault and on the machine when that was asked for.
struct Observed {
  VaultHost& host;
  const Outcome& outcome;
  const std::string& trace;
  const CopyChanges* changes = nullptr;
};

// The first expectation that differs: where it stands in the file and the two values.
struct Mismatch {
  std::string place;  // "expect.files[0].state (C:\Vault\a.txt)"
  std::string expected;
  std::string got;

  std::string Text() const { return place + ": expected " + expected + ", got " + got; }
};

// Throws JsonError naming the place under `where` of an unknown member or a wrong type.
void CheckExpectationsForm(const Json& expect, const std::string& where);

// Whether "nothing else changed" was asked, which needs the changes.
bool WantsChanges(const Json& expect);

std::optional<Mismatch> FirstMismatch(const Json& expect, const Observed& observed);

// Expectations that hold for what the run left: its outcome, the files, card values, inboxes and
// registry values the test's fixture and operation name or the run changed, the boxes shown.
Json RecordExpectations(const ActionTest& test, const Observed& observed);

}  // namespace vendrel::tools
