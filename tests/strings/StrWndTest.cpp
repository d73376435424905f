// Localized windows: texts of the window's section reach its controls; positions are kept.
#include "uilibs/lexicor/StrWnd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/strings/LanguageFolder.h"
#include "uilibs/lexicor/Lexicor.h"

namespace vendrel::lexicor {
namespace {

using ::testing::_;
using ::testing::Return;

class MockTarget : public StrWndTarget {
 public:
  MOCK_METHOD(void, SetCaption, (const std::wstring&), (override));
  MOCK_METHOD(void, SetControlText, (std::int32_t, const std::wstring&), (override));
  MOCK_METHOD(std::optional<CtrlRect>, ControlPos, (std::int32_t), (const, override));
  MOCK_METHOD(void, MoveControl, (std::int32_t, const CtrlRect&), (override));
  MOCK_METHOD(void, FitControlToText, (std::int32_t), (override));
  MOCK_METHOD(std::int32_t, ShowMessage, (const std::wstring&, const std::wstring&, std::uint32_t),
              (override));
};

class LocalizedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write(L"D", L"Vorn",
                  "[CEditActionDlg]\n"
                  "0 = \"Aktion bearbeiten\"\n"
                  "329 = \"Name der Aktion:\"\n"
                  "[CJumpDlg]\n"
                  "0 = \"Bedingter Sprung\"\n");
    gvInitStrDll(L"ZENTRIK", L"Tessadel", L"D", folder_.Path().c_str(), nullptr);
    gvPushDefaultFile(L"Vorn");
  }
  void TearDown() override {
    gvPopDefaultFile();
    gvInitStrDll(L"ZENTRIK", L"Tessadel", L"", L"", nullptr);
  }

  lexicor_test::LanguageFolder folder_;
  StrWnd window_;
};

TEST_F(LocalizedWindow, InitGivesTheSectionsTextsToCaptionAndControls) {
  MockTarget target;
  EXPECT_CALL(target, SetCaption(std::wstring(L"Aktion bearbeiten")));
  EXPECT_CALL(target, SetControlText(329, std::wstring(L"Name der Aktion:")));
  EXPECT_CALL(target, SetControlText(330, _)).Times(0);  // untranslated: keeps its own text
  EXPECT_FALSE(window_.mbIsStrWndInitialized());
  EXPECT_TRUE(window_.mbInitStrWnd(&target, L"CEditActionDlg", true, L"", L"", L""));
  EXPECT_TRUE(window_.mbIsStrWndInitialized());
  EXPECT_EQ(window_.Section(), L"CEditActionDlg");
  EXPECT_TRUE(window_.IsResizable());
}

TEST_F(LocalizedWindow, WithoutAWindowStateAndPositionsAreKept) {
  EXPECT_TRUE(window_.mbInitStrWnd(nullptr, L"CSetVariablesDlg", false, L"", L"", L""));
  EXPECT_TRUE(window_.mbIsStrWndInitialized());
  EXPECT_EQ(window_.moGetCtrlPos(207), CtrlRect{});
  window_.mvSetCtrlPos(207, {10, 20, 110, 45}, 0);
  window_.mvAutoSizeCtrl(207);
  EXPECT_EQ(window_.moGetCtrlPos(207), (CtrlRect{10, 20, 110, 45}));
  EXPECT_EQ(window_.miMessageBox(L"text", L"Vendrel", 0x30), 0);
  window_.mvDeInitStrWnd();
  EXPECT_FALSE(window_.mbIsStrWndInitialized());
  EXPECT_EQ(window_.moGetCtrlPos(207), CtrlRect{});
}

TEST_F(LocalizedWindow, BoundWindowOwnsPositionsSizesAndMessages) {
  MockTarget target;
  EXPECT_CALL(target, SetCaption(std::wstring(L"Bedingter Sprung")));
  ASSERT_TRUE(window_.mbInitStrWnd(&target, L"CJumpDlg", false, L"", L"", L""));

  EXPECT_CALL(target, MoveControl(1, CtrlRect{5, 6, 7, 8}));
  window_.mvSetCtrlPos(1, {5, 6, 7, 8}, 0);
  EXPECT_CALL(target, ControlPos(1)).WillOnce(Return(CtrlRect{50, 60, 70, 80}));
  EXPECT_EQ(window_.moGetCtrlPos(1), (CtrlRect{50, 60, 70, 80}));
  EXPECT_CALL(target, FitControlToText(451));
  window_.mvAutoSizeCtrl(451);
  EXPECT_CALL(target, ShowMessage(std::wstring(L"text"), std::wstring(L"Vendrel"), 0x30u))
      .WillOnce(Return(1));
  EXPECT_EQ(window_.miMessageBox(L"text", L"Vendrel", 0x30), 1);
}

}  // namespace
}  // namespace vendrel::lexicor
