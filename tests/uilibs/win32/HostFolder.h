// A host installation folder holding our UI libraries, as a test program sets it up.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vendrel::uilibs::testing {

// The folder of the running test program, where the build leaves the libraries.
std::filesystem::path BinFolder();

// %TEMP%\VendrelHost, as the registry gives it: without a trailing backslash.
std::wstring InstallFolder();

// Copies Lexicor.dll, Glyphex.dll, Alertik.dll and Iconel.dll into the installation folder and
// registers the folder as the host's "Location"; false when a step fails.
bool InstallHostLibraries();

// Installs them before the first test of the program that registers it.
class HostFolderEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(InstallHostLibraries()); }
};

}  // namespace vendrel::uilibs::testing
