// vendrel.exe run by a test as a person runs it, on a vault in a temporary folder of its own, with
// bin/vendrel.dll registered as a setup leaves it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vendrel::tools {

struct Result {
  DWORD code = 0;
  std::string out;  // line ends as "\n"
  std::string err;
};

// regsvr32 /s [/u] bin\vendrel.dll: registers or removes the add-in class; its exit code.
DWORD Regsvr32(bool unregister);

// Backslashes doubled for a JSON string.
std::string JsonText(const std::filesystem::path& path);

class VendrelProgramTest : public ::testing::Test {
 protected:
  // The host's UI library installed and the class registered for the suite.
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  VendrelProgramTest();
  ~VendrelProgramTest() override;

  // vendrel.exe with `args` in the test folder, with no input.
  Result Run(const std::vector<std::string>& args);
  Result RunOk(const std::vector<std::string>& args);
  void Write(const std::string& name, const std::string& text);

  // A vault "v" whose local files lie in dir\files, with a.txt ("alpha") added, and the actions
  // of `actions` (the JSON list of an action file) imported.
  void MakeVault(const std::string& actions);

  std::filesystem::path dir;
};

}  // namespace vendrel::tools
