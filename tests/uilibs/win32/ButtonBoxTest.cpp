// The button box of Alertik.dll in a real window: found by its caption, read and pressed by
// window messages, with the warning icon of our icon library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/platform/win32/BoxPresser.h"
#include "uilibs/win32/Alertik.h"
#include "uilibs/win32/Iconel.h"

namespace vendrel::alertik {
namespace {

using platform::testing::ArtefactPath;
using platform::testing::BoxPresser;
using ::testing::Contains;

constexpr int kOkToAll = 101;
const std::vector<Button> kWarningButtons = {{L"OK", IDOK}, {L"OK to All", kOkToAll}};
const std::wstring kWarning =
    L"Action: Release\r\nCannot set card variables for file a.txt, you must check out the file "
    L"before this command will run.";

struct DestroyWindowAfter {
  HWND window;
  ~DestroyWindowAfter() { DestroyWindow(window); }
};

TEST(ButtonBox, OkToAllIsPressedInAModalBoxOverItsOwnerAndGivesItsNumber) {
  DestroyWindowAfter owner{CreateWindowExW(0, L"STATIC", L"Vault", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           100, 100, 500, 300, nullptr, nullptr, nullptr, nullptr)};
  ASSERT_TRUE(owner.window);
  const iconel::UniqueIcon icon = iconel::HostIcon(243, 32);
  ASSERT_TRUE(icon);
  const std::wstring shot = ArtefactPath(L"alertik-ok-to-all.bmp");
  BoxPresser presser(L"Vendrel", kOkToAll, shot);

  const std::int32_t pressed =
      giMessageBox(owner.window, L"Vendrel", kWarning, icon.get(), kWarningButtons);

  const auto& seen = presser.Seen();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(pressed, kOkToAll);
  EXPECT_THAT(seen.texts, Contains(kWarning));
  EXPECT_EQ(seen.owner, owner.window);
  EXPECT_FALSE(seen.ownerEnabled) << "the owner took input while the box was up";
  EXPECT_TRUE(IsWindowEnabled(owner.window));
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
}

TEST(ButtonBox, EachButtonGivesItsOwnNumberAndClosingTheBoxGivesTheFirst) {
  {
    BoxPresser presser(L"Vendrel choice", 7, L"");
    EXPECT_EQ(giMessageBox(nullptr, L"Vendrel choice", L"Which?", nullptr,
                           {{L"First", 40}, {L"Second", 7}, {L"Third", 65534}}),
              7);
    EXPECT_TRUE(presser.Seen().found);
  }
  {
    BoxPresser presser(L"Vendrel choice", 65534, L"");
    EXPECT_EQ(giMessageBox(nullptr, L"Vendrel choice", L"Which?", nullptr,
                           {{L"First", 40}, {L"Second", 7}, {L"Third", 65534}}),
              65534);
  }
  {
    // The box has no Cancel button: the presser closes it as Escape does.
    BoxPresser presser(L"Vendrel warning", IDCANCEL, L"");
    EXPECT_EQ(giMessageBox(nullptr, L"Vendrel warning", kWarning, nullptr, kWarningButtons), IDOK);
    EXPECT_TRUE(presser.Seen().found);
  }
}

}  // namespace
}  // namespace vendrel::alertik
