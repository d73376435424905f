// vendrel.exe on a display: the add-in's message box is a real window of the program, over the
// host's own window, and the run goes on once a person presses it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/platform/win32/BoxPresser.h"
#include "tests/tools/win32/VendrelProgram.h"

namespace vendrel::tools {
namespace {

using platform::testing::ArtefactPath;
using platform::testing::BoxPresser;
using ::testing::Contains;

using HostComBoxTest = VendrelProgramTest;

TEST_F(HostComBoxTest, TheAddInsMessageBoxIsOwnedByTheHostWindowUntilPressed) {
  MakeVault(R"({"id": 1, "name": "Announce", "menuText": "Announce", "activation": ["menu"],
   "commands": [{"type": 3, "summary": "", "message": "%NameOfSelectedFile% is ready."}]})");

  const std::wstring shot = ArtefactPath(L"vendrel-exe-ok-messagebox.bmp");
  BoxPresser presser(L"Vendrel", IDOK, shot);
  const Result r = RunOk({"--vault", "v", "menu", "Announce", "a.txt"});

  const auto& seen = presser.Seen();
  ASSERT_TRUE(seen.found);
  EXPECT_THAT(seen.texts, Contains(L"a.txt is ready."));
  ASSERT_NE(seen.owner, nullptr);
  DWORD ownerProcess = 0;
  GetWindowThreadProcessId(seen.owner, &ownerProcess);
  EXPECT_NE(ownerProcess, GetCurrentProcessId()) << "the box belongs to vendrel.exe's window";
  EXPECT_FALSE(seen.ownerEnabled) << "the host window took input while the box was up";
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
  EXPECT_NE(r.out.find("answered 0x00000000, refresh 0, veto 0\nmenu done\n"), std::string::npos)
      << r.out;
}

}  // namespace
}  // namespace vendrel::tools
