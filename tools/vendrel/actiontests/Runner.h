// Running action tests: each on a throwaway copy of a fresh vault that holds the set under test,
// through the add-in itself as a host would load it.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "tools/vendrel/Json.h"
#include "tools/vendrel/actiontests/TestFile.h"

namespace vendrel::tools {

struct TestResult {
  std::string name;
  std::optional<std::string> failure;  // the first expectation that differs; none: passed
  double seconds = 0;
  Json recorded;  // with --record: the expectations the run fulfils
};

class TestRunner {
 public:
  // `actions` is the set under test in either JSON form. Throws JsonError for a faulty set.
  TestRunner(Json actions, std::chrono::milliseconds timeout);
  ~TestRunner();
  TestRunner(const TestRunner&) = delete;
  TestRunner& operator=(const TestRunner&) = delete;

  // `where` names the test in its file ("tests[3]"). Throws UsageError for a fixture or an
  // operation that cannot be carried out.
  TestResult Run(const ActionTest& test, const std::string& where, bool record);

 private:
  // A fresh vault of the fixture's root and users with the set stored, made once for all the
  // tests that share them.
  const std::filesystem::path& Base(const Fixture& fixture);

  Json actions_;
  std::chrono::milliseconds timeout_;
  std::filesystem::path registry_;  // the process's own, used again afterwards
  std::filesystem::path folder_;
  std::map<std::wstring, std::filesystem::path> bases_;
};

}  // namespace vendrel::tools
