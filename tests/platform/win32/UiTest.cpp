// Real message boxes and the wait cursor under Windows (wine with an X display).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/Clipboard.h"
#include "platform/win32/Ui.h"
#include "tests/platform/ServiceRules.h"
#include "tests/platform/win32/BoxPresser.h"

namespace vendrel::platform {
namespace {

using testing::ArtefactPath;
using testing::BoxPresser;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

TEST(Win32Clipboard, KeepsTheLastFormatPutAsZeroTerminatedText) {
  Win32Clipboard clipboard;
  testing::CheckClipboardRules(clipboard);
}

TEST(Win32MessageBoxes, OwnedQuestionBoxIsModalToItsOwnerAndAnswersTheButtonPressed) {
  const testing::OwnerWindow owner;
  ASSERT_TRUE(owner.Get());
  const std::wstring shot = ArtefactPath(L"messagebox-yesnocancel.bmp");
  BoxPresser presser(L"Vendrel question", IDNO, shot);

  Win32MessageBoxes boxes;
  const Answer answer = boxes.Show({.owner = reinterpret_cast<Window>(owner.Get()),
                                    .text = L"Check out \x00C4nderung.txt before copying?",
                                    .caption = L"Vendrel question",
                                    .style = mb::kYesNoCancel | mb::kIconQuestion});

  const auto& seen = presser.Seen();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(answer, Answer::kNo);
  EXPECT_THAT(seen.texts, Contains(L"Check out \x00C4nderung.txt before copying?"));
  EXPECT_THAT(seen.buttons, UnorderedElementsAre(IDYES, IDNO, IDCANCEL));
  EXPECT_EQ(seen.owner, owner.Get());
  EXPECT_FALSE(seen.ownerEnabled) << "the owner took input while the box was up";
  EXPECT_TRUE(IsWindowEnabled(owner.Get())) << "the owner stayed disabled after the box";
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
}

TEST(Win32MessageBoxes, FailureBoxWithoutOwnerShowsBothLinesAndOnlyOk) {
  const std::wstring shot = ArtefactPath(L"messagebox-ok-warning.bmp");
  BoxPresser presser(L"Vendrel", IDOK, shot);

  Win32MessageBoxes boxes;
  const Answer answer = boxes.Show({.owner = 0,
                                    .text = L"The file could not be copied.\r\nAccess is denied.",
                                    .caption = L"Vendrel",
                                    .style = mb::kOk | mb::kIconExclamation});

  const auto& seen = presser.Seen();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(answer, Answer::kOk);
  EXPECT_THAT(seen.texts, Contains(L"The file could not be copied.\r\nAccess is denied."));
  EXPECT_THAT(seen.buttons, ElementsAre(IDOK));
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_EQ(seen.screenshotSaved, !shot.empty());
}

TEST(Win32WaitCursor, ShowsTheHourglassUntilTheOutermostScopeEndsThenTheCursorFromBefore) {
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  SetCursor(arrow);
  Win32WaitCursor cursor;
  {
    auto outer = cursor.Begin();
    EXPECT_EQ(GetCursor(), wait);
    {
      auto inner = outer->Begin();
      EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(GetCursor(), wait) << "an inner scope ended the outer one's hourglass";
  }
  EXPECT_EQ(GetCursor(), arrow);
}

}  // namespace
}  // namespace vendrel::platform
