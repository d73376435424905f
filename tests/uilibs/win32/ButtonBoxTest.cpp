// The button box of Alertik.dll in a real window: found by its caption, read and pressed by
// window messages; through the platform's button boxes with the warning icon of the icon library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/DialogRes.h"
#include "platform/win32/Ui.h"
#include "tests/platform/win32/BoxPresser.h"
#include "uilibs/win32/Alertik.h"

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

TEST(Win32ButtonBoxes, OkToAllIsPressedInAModalBoxOverItsOwnerAndGivesItsNumber) {
  const platform::testing::OwnerWindow owner;
  ASSERT_TRUE(owner.Get());
  const std::wstring shot = ArtefactPath(L"alertik-ok-to-all.bmp");
  BoxPresser presser(L"Vendrel", kOkToAll, shot);

  platform::Win32ButtonBoxes boxes;
  const std::int32_t pressed = boxes.Show({.owner = reinterpret_cast<platform::Window>(owner.Get()),
                                           .text = kWarning,
                                           .caption = L"Vendrel",
                                           .icon = 243,
                                           .buttons = {{L"OK", IDOK}, {L"OK to All", kOkToAll}},
                                           .help = true});

  const auto& seen = presser.Seen();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(pressed, kOkToAll);
  EXPECT_THAT(seen.texts, Contains(kWarning));
  EXPECT_THAT(seen.buttons, Contains(ID_HELP_COMMAND));
  EXPECT_EQ(seen.owner, owner.Get());
  EXPECT_FALSE(seen.ownerEnabled) << "the owner took input while the box was up";
  EXPECT_TRUE(IsWindowEnabled(owner.Get()));
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
  EXPECT_EQ(seen.texts.size(), 1u) << "the icon static shows no text";
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
