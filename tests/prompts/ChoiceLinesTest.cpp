// The combo-box editor's choices text: lines to choices and back.
#include "commands/core/ChoiceLines.h"

#include <gtest/gtest.h>

namespace vendrel::commands {
namespace {

using Choices = std::vector<std::wstring>;

TEST(ChoiceLinesTest, BlankLinesAreDroppedAndOthersKeptAsTyped) {
  EXPECT_EQ(SplitChoices(L"A\r\n\r\n  \r\nB "), (Choices{L"A", L"B "}));
  EXPECT_EQ(SplitChoices(L" x \r\n\t\r\ny"), (Choices{L" x ", L"y"}));
  EXPECT_EQ(SplitChoices(L""), Choices{});
  EXPECT_EQ(SplitChoices(L"\r\n"), Choices{});
}

TEST(ChoiceLinesTest, OnlyLineBreakPairsCutLines) {
  EXPECT_EQ(SplitChoices(L"a\n\rb"), (Choices{L"a", L"b"}));
  EXPECT_EQ(SplitChoices(L"a\nb\rc"), (Choices{L"a\nb\rc"}));
  // CR LF CR LF is two breaks around an empty line, not LF CR in the middle.
  EXPECT_EQ(SplitChoices(L"a\r\n\r\nb"), (Choices{L"a", L"b"}));
  EXPECT_EQ(SplitChoices(L"a\r\n"), (Choices{L"a"}));
}

TEST(ChoiceLinesTest, JoiningPutsBreaksBetweenChoicesOnly) {
  EXPECT_EQ(JoinChoices({L"A", L"B "}), L"A\r\nB ");
  EXPECT_EQ(JoinChoices({L"one"}), L"one");
  EXPECT_EQ(JoinChoices({}), L"");
  const Choices choices{L" first", L"second ", L"3"};
  EXPECT_EQ(SplitChoices(JoinChoices(choices)), choices);
}

}  // namespace
}  // namespace vendrel::commands
