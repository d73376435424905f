// vendrel.exe as a vault host on Windows: the add-in created through COM from the registered
// vendrel.dll, driven by the program's commands on a vault in a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/FileText.h"
#include "tests/tools/win32/VendrelProgram.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;
using vendrel::testing::FileText;

class HostComTest : public VendrelProgramTest {
 protected:
  // Three actions, none showing a window: a menu command copying the selected files into
  // dir\out, a copy into dir\archive after each check in, and a refusal of every change of a
  // text file into Review (a new vault numbers its states Draft 1, Review 2, Released 3).
  void MakeVault() {
    const auto copyInto = [](const fs::path& folder) {
      return R"({"type": 14, "summary": "", "path": ")" + JsonText(folder) +
             R"("}, {"type": 19, "summary": "", "from": "%PathToSelectedFile%", "to": ")" +
             JsonText(folder) + R"(\\%NameOfSelectedFile%"})";
    };
    VendrelProgramTest::MakeVault(
        R"({"id": 1, "name": "Copy out", "menuText": "Tools\\Copy out", "activation": ["menu"],
   "commands": [{"type": 4, "summary": ""}, )" +
        copyInto(dir / "out") + R"(, {"type": 5, "summary": ""}]},
  {"id": 2, "name": "Archive", "activation": ["check-out"],
   "checkOut": {"path": "%", "kind": "check-in", "after": true},
   "commands": [)" +
        copyInto(dir / "archive") + R"(]},
  {"id": 3, "name": "Hold", "activation": ["state-change"],
   "stateChange": {"path": "%.txt", "stateId": 2, "after": false},
   "commands": [{"type": 22, "summary": "TRUE"}]})");
  }
};

TEST_F(HostComTest, TheRegisteredAddInRegistersItsCommandsAndHooks) {
  MakeVault();
  const Result r = RunOk({"--vault", "v", "--user", "Chief", "registered"});
  EXPECT_NE(r.out.find("Vendrel, Zentrik Corporation"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("menu 100 \"Administrate Actions...\" flags 0x00020040"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"Tools\\Copy out\" flags 0x00004000"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("hook 6 after check in"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("hook 9 before state change"), std::string::npos) << r.out;
}

TEST_F(HostComTest, AMenuCommandRunsInTheDllAndItsFilesAppear) {
  MakeVault();
  const Result r = RunOk({"--vault", "v", "menu", "Tools\\Copy out", "a.txt"});
  EXPECT_EQ(FileText(dir / "out" / "a.txt"), "alpha\n");
  EXPECT_NE(r.out.find("menu command (notification 1), 1 item(s)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("answered 0x00000000, refresh 1, veto 0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("menu done; the add-in asks for a refresh"), std::string::npos) << r.out;
  // Through COM the host cannot see the runs, and does not pretend to.
  EXPECT_EQ(r.out.find("run \""), std::string::npos) << r.out;
}

TEST_F(HostComTest, CheckInAnswersCrossComIntoTheJson) {
  MakeVault();
  RunOk({"--vault", "v", "checkout", "a.txt"});
  const Result r = RunOk({"--vault", "v", "--json", "checkin", "a.txt", "--comment", "done"});
  EXPECT_EQ(FileText(dir / "archive" / "a.txt"), "alpha\n");
  const Json json = ParseJson(r.out);
  EXPECT_EQ(json.at("veto"), 0);
  EXPECT_EQ(json.at("refresh"), 0);     // only menu commands ask for a refresh
  EXPECT_FALSE(json.contains("runs"));  // unknown through COM, so not an empty list
  const Json& notifications = json.at("notifications");
  ASSERT_EQ(notifications.size(), 1u);  // only the after-check-in is hooked
  EXPECT_EQ(notifications[0].at("kind"), 6);
  EXPECT_EQ(notifications[0].at("items"), 1);
  EXPECT_EQ(notifications[0].at("status"), 0);
  const Json& files = json.at("files");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].at("version"), 2);
  EXPECT_EQ(files[0].at("checkedOutBy"), "");
  EXPECT_NE(RunOk({"--vault", "v", "show", "a.txt"}).out.find("\"done\""), std::string::npos);
}

TEST_F(HostComTest, ABeforeStateChangeVetoRefusesWithExitCodeOne) {
  MakeVault();
  const Result refused = Run({"--vault", "v", "state", "a.txt", "--to", "Release.Review"});
  EXPECT_EQ(refused.code, 1u) << refused.out << refused.err;
  EXPECT_NE(refused.out.find("answered 0x00000000, refresh 0, veto 1"), std::string::npos)
      << refused.out;
  EXPECT_NE(refused.out.find("state refused by the add-in\n  a.txt  v1  Draft\n"),
            std::string::npos)
      << refused.out;
  EXPECT_NE(RunOk({"--vault", "v", "ls"}).out.find("a.txt  v1  Draft"), std::string::npos);
}

TEST_F(HostComTest, AnUnregisteredClassIsOneLineAndExitCodeTwo) {
  RunOk({"init", "v", "--root", (dir / "files").string(), "--user", "Chief"});
  ASSERT_EQ(Regsvr32(true), 0u);
  const Result r = Run({"--vault", "v", "registered"});
  ASSERT_EQ(Regsvr32(false), 0u);
  EXPECT_EQ(r.code, 2u);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_TRUE(r.err.starts_with("vendrel: ")) << r.err;
  EXPECT_NE(r.err.find("register vendrel.dll with regsvr32"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

// No vault and no add-in: vendrel.exe reads and writes the registry of Windows itself.
TEST_F(HostComTest, RegistryValuesGoToTheRealRegistry) {
  const wchar_t subkey[] = L"Software\\VendrelHostComTest";
  const std::string key = "hkey_current_user\\Software\\VendrelHostComTest";
  RunOk({"reg", "set", key, "Count", "42", "--dword"});
  RunOk({"reg", "set", key, "Name", "Anna"});
  DWORD count = 0;
  DWORD size = sizeof count;
  EXPECT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, subkey, L"Count", RRF_RT_REG_DWORD, nullptr, &count, &size),
      ERROR_SUCCESS);
  EXPECT_EQ(count, 42u);
  EXPECT_EQ(RunOk({"reg", "get", key + "\\Name"}).out, "Anna\n");
  EXPECT_EQ(Run({"reg", "set", "HKCU\\Software\\VendrelHostComTest", "Other", "1"}).code, 2u);
  EXPECT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, subkey, L"Other", RRF_RT_ANY, nullptr, nullptr, nullptr),
      ERROR_FILE_NOT_FOUND);
  RegDeleteTreeW(HKEY_CURRENT_USER, subkey);
}

}  // namespace
}  // namespace vendrel::tools
