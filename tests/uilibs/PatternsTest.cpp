// The patterns of the highlighting control: registration and where they occur in a text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "uilibs/glyphex/Patterns.h"

namespace vendrel::glyphex {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

PatternList Of(std::initializer_list<const wchar_t*> texts) {
  PatternList list;
  for (const wchar_t* text : texts) list.Add({text, false, text, text, text});
  return list;
}

TEST(PatternList, KeepsTheFirstRegistrationOfATextAndRefusesEmptyOnes) {
  PatternList list;
  EXPECT_TRUE(list.Add({L"%A%", false, L"A", L"first", L"tip"}));
  EXPECT_FALSE(list.Add({L"%A%", true, L"A", L"second", L"tip"}));
  EXPECT_TRUE(list.Add({L"%a%", false, L"a", L"", L""}));
  EXPECT_FALSE(list.Add({L"", false, L"", L"", L""}));
  ASSERT_EQ(list.All().size(), 2u);
  EXPECT_EQ(list.All()[0].description, L"first");
  EXPECT_FALSE(list.All()[0].flag);
  EXPECT_EQ(list.All()[1].text, L"%a%");
}

TEST(Occurrences, FindsEveryOccurrenceOfEachPatternLeftToRight) {
  const auto spans = Occurrences(L"%B% and %A%%B%, %A", Of({L"%A%", L"%B%"}));
  EXPECT_THAT(spans, ElementsAre(Span{0, 3}, Span{8, 3}, Span{11, 3}));
}

TEST(Occurrences, TheLongestPatternStartingAtAPositionWinsAndOccurrencesNeverOverlap) {
  EXPECT_THAT(Occurrences(L"x%Name%Path%y", Of({L"%Name%", L"%Name%Path%", L"%Path%"})),
              ElementsAre(Span{1, 11}));
  EXPECT_THAT(Occurrences(L"%A%A%A%", Of({L"%A%"})), ElementsAre(Span{0, 3}, Span{4, 3}));
}

TEST(Occurrences, MatchesExactlyAndFindsNothingWithoutPatterns) {
  EXPECT_THAT(Occurrences(L"%name% %NAME", Of({L"%NAME%"})), IsEmpty());
  EXPECT_THAT(Occurrences(L"%NAME%", PatternList()), IsEmpty());
  EXPECT_THAT(Occurrences(L"", Of({L"%NAME%"})), IsEmpty());
}

}  // namespace
}  // namespace vendrel::glyphex
