// A file of action tests: each test's fixture, operation, answers and expectations, read and
// checked before anything runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

struct FixtureFile {
  std::wstring path;  // a vault path, with or without the root
  std::string contents;
  std::int32_t versions = 1;
  std::wstring state;         // of the workflow Release; empty: where new files start
  std::wstring checkedOutBy;  // empty: checked in
  std::wstring computer;      // of the check-out; empty: the fixture's
};

struct FixtureCard {
  std::wstring path;  // a vault file or folder
  std::wstring variable;
  std::wstring configuration;  // empty: all configurations
  std::wstring value;
};

struct FixtureRegistryValue {
  std::wstring path;  // ROOT\subkey\name
  platform::RegistryData data;
};

struct FixtureVariable {
  std::wstring name;
  std::int32_t type = 1;
  std::int32_t flags = 0;
};

// The vault and machine a test starts from; whatever is not given is as `vendrel init` makes it.
struct Fixture {
  std::wstring root = L"C:\\Vault";
  std::vector<std::wstring> users;  // empty: the login name
  std::vector<std::pair<std::wstring, std::vector<std::wstring>>> groups;
  std::wstring user;  // who works; empty: the first user
  // The same on every machine, as whatever an action reads should be.
  std::wstring computer = L"TESTPC";
  std::vector<FixtureVariable> variables;
  std::vector<std::wstring> folders;
  std::vector<FixtureFile> files;
  std::vector<FixtureCard> cards;
  std::vector<FixtureRegistryValue> registry;
  std::vector<std::pair<std::wstring, std::string>> localFiles;  // Windows path, contents
};

// What the user does: a menu command over paths, or one host operation.
struct Operation {
  std::string kind;  // menu, checkout, checkin, undo-checkout, state, add
  std::string menu;
  std::vector<std::string> paths;
  std::string to;  // state: WORKFLOW.STATE; add: the vault folder
  std::string comment;
};

struct ActionTest {
  std::string name;
  Fixture fixture;
  Operation operation;
  std::vector<std::string> answers;
  Json expect;  // checked against the kinds Expectations.h knows
};

struct TestFile {
  std::filesystem::path path;
  std::optional<std::string> actions;  // as the file names it, relative to the file
  std::vector<ActionTest> tests;
  Json document;  // as read, for --record to write back
};

// Throws UsageError with one sentence naming the file and the place of a fault, such as
// tests[3].expect.files[0].state.
TestFile ReadTestFile(const std::filesystem::path& path);

}  // namespace vendrel::tools
