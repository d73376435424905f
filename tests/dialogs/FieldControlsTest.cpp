// A field of a jump shown in the control bound to it and read back after a person changed the
// control, for each kind of binding.
#include "commands/core/FieldControls.h"

#include <gtest/gtest.h>

#include "commands/core/CJumpDlg.h"
#include "platform/ScriptedDialogs.h"

namespace vendrel::commands {
namespace {

using enum FieldControl::Kind;

// A check box, a run of three radio buttons and a combo box.
constexpr std::int32_t kBox = 10, kA = 20, kB = 21, kC = 22, kCombo = 30;

struct Case {
  const char* name;
  FieldControl bound;
  JumpCondition shown;
  std::int32_t checked;   // the box or radio button checked once shown, 0 for none
  std::int32_t chosen;    // the list's entry once shown
  std::int32_t press;     // then toggled (the box) or checked alone (a radio button)
  const wchar_t* choose;  // then chosen from the list
  JumpCondition taken;
};

class FieldControlsTest : public ::testing::TestWithParam<Case> {};

TEST_P(FieldControlsTest, ShowsTheFieldAndTakesItBackAsChanged) {
  const Case& c = GetParam();
  CJumpDlg unopened({}, nullptr, nullptr, nullptr, nullptr);
  platform::ScriptedSurface ui(unopened, 0, nullptr);
  ui.AddItem(kCombo, L"E", 5);
  ui.AddItem(kCombo, L"e", 7);
  const FieldControl bound[] = {c.bound};
  ShowFields(ui, c.shown, bound);
  for (std::int32_t id : {kBox, kA, kB, kC}) EXPECT_EQ(ui.IsChecked(id), id == c.checked) << id;
  EXPECT_EQ(ui.SelectedItem(kCombo), c.chosen);
  if (c.press == kBox) ui.SetChecked(kBox, !ui.IsChecked(kBox));
  if (c.press > kBox) ui.CheckRadio(kA, kC, c.press);
  if (c.choose) ui.Choose(kCombo, c.choose);
  JumpCondition taken = c.shown;
  TakeFields(ui, taken, bound);
  EXPECT_EQ(taken, c.taken);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FieldControlsTest,
    ::testing::Values(
        Case{"Radios", {"operator", kA, kRadios, kC}, {.op = 2}, kC, -1, kB, {}, {.op = 1}},
        Case{"Unlisted", {"operator", kA, kRadios, kC}, {}, kA, -1, 0, {}, {.op = 0}},
        Case{"Flag", {"ignoreCase", kA, kRadios, kB}, {}, kB, -1, kA, {}, {.ignoreCase = 0}},
        Case{"ItemData", {"operator", kCombo, kList}, {}, 0, 1, 0, L"E", {.op = 5}},
        Case{"NoItemData", {"operator", kCombo, kList}, {.op = 9}, 0, -1, 0, {}, {.op = 9}},
        Case{"Text", {"label", kCombo, kList}, {.label = L"e"}, 0, 1, 0, L"E", {.label = L"E"}},
        Case{"Opposite", {"ignoreCase", kBox, kOpposite}, {}, 0, -1, kBox, {}, {.ignoreCase = 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendrel::commands
