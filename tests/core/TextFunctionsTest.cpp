// The text functions and the value texts that expansion produces.
#include "commands/core/TextFunctions.h"

#include <gtest/gtest.h>

#include "actions/Number.h"
#include "commands/core/ValueText.h"
#include "tests/support/FakeServices.h"

namespace vendrel::commands {
namespace {

class TextFunctionTest : public ::testing::Test {
 protected:
  std::wstring Apply(const std::wstring& text) { return ApplyTextFunction(text, &clock); }
  testing::FixedClock clock;  // 2024-03-05 14:07:09, a Tuesday
};

TEST_F(TextFunctionTest, EachFunctionComputesItsResult) {
  EXPECT_EQ(Apply(L"LEFT(abcdef,3)"), L"abc");
  EXPECT_EQ(Apply(L"RIGHT(abcdef,2)"), L"ef");
  EXPECT_EQ(Apply(L"MID(abcdef,2,3)"), L"cde");
  EXPECT_EQ(Apply(L"LEN(abc)"), L"3");
  EXPECT_EQ(Apply(L"LENGTH(abcd)"), L"4");
  EXPECT_EQ(Apply(L"REVERSE(abc)"), L"cba");
  EXPECT_EQ(Apply(L"FIND(abcabc, c)"), L"2");
  EXPECT_EQ(Apply(L"FIND(abcabc,x)"), L"-1");
  EXPECT_EQ(Apply(L"REVERSEFIND(abcabc,c)"), L"5");
  EXPECT_EQ(Apply(L"REVERSEFIND(abcabc,cx)"), L"5");
  EXPECT_EQ(Apply(L"ADD(2,3)"), L"5");
  EXPECT_EQ(Apply(L"SUB(2,3)"), L"-1");
  EXPECT_EQ(Apply(L"CURRENTTIME(%Y-%m-%d %H:%M:%S %a)"), L"2024-03-05 14:07:09 Tue");
}

TEST_F(TextFunctionTest, NamesIgnoreCaseAndTextBeforeThemStays) {
  EXPECT_EQ(Apply(L"left(abc,2)"), L"ab");
  EXPECT_EQ(Apply(L"x LEFT(abcdef,3)"), L"x abc");
  EXPECT_EQ(Apply(L"Len  (abc)"), L"3");
  EXPECT_EQ(Apply(L"LEN(ab) cm"), L"2");
}

TEST_F(TextFunctionTest, CountsOutsideTheTextAreClamped) {
  EXPECT_EQ(Apply(L"MID(abc,5,1)"), L"");
  EXPECT_EQ(Apply(L"MID(abc,1,10)"), L"bc");
  EXPECT_EQ(Apply(L"MID(abc,-1,2)"), L"ab");
  EXPECT_EQ(Apply(L"LEFT(abc,10)"), L"abc");
  EXPECT_EQ(Apply(L"LEFT(abc,-1)"), L"");
  EXPECT_EQ(Apply(L"RIGHT(abc,-1)"), L"");
  EXPECT_EQ(Apply(L"LEFT(abc,x)"), L"");
  EXPECT_EQ(Apply(L"ADD(2147483647,1)"), L"-2147483648");
}

TEST_F(TextFunctionTest, SeparatorsAreTakenWhereTheRulesSay) {
  // The last comma splits LEFT, so the text keeps the first comma.
  EXPECT_EQ(Apply(L"LEFT(a,b,2)"), L"a,");
  // ADD takes the first comma instead: "3,4" reads as 3.
  EXPECT_EQ(Apply(L"ADD(1,3,4)"), L"4");
  EXPECT_EQ(Apply(L"MID(a,bcdef,1,2)"), L",b");
}

TEST_F(TextFunctionTest, MissingOrMisplacedSeparatorsLeaveTheTextAlone) {
  for (const wchar_t* text :
       {L"LEFT(abc)", L"LEFT(abc)2,", L"a,b LEFT(abc)", L"MID(abc,1)", L"a,b MID(abc,1)",
        L"ADD(2 3)", L"ADD(2,3", L"LEN(abc", L"FIND(abc)", L"CURRENTTIME(%Y"}) {
    EXPECT_EQ(Apply(text), text);
  }
}

TEST_F(TextFunctionTest, TextsWithoutAKnownNameStayAsTheyAre) {
  for (const wchar_t* text :
       {L"plain text", L"Part (rev A)", L"ADDRESS(1,2)", L"MIDDLE(ab,1)", L"FOO(abc,1)"}) {
    EXPECT_EQ(Apply(text), text);
  }
}

TEST_F(TextFunctionTest, TimeFormatsOutsideTheCommonSetGiveNothing) {
  EXPECT_EQ(Apply(L"CURRENTTIME(%Q)"), L"");
  EXPECT_EQ(Apply(L"CURRENTTIME(%)"), L"");
  EXPECT_EQ(Apply(L"CURRENTTIME(%j %%)"), L"065 %");
  EXPECT_EQ(ApplyTextFunction(L"CURRENTTIME(%Y)", nullptr), L"");
}

TEST(ReadNumberTest, ReadsLikeTheCLibrary) {
  using actions::ReadNumber;
  EXPECT_EQ(ReadNumber(L" 12abc"), 12);
  EXPECT_EQ(ReadNumber(L"-5"), -5);
  EXPECT_EQ(ReadNumber(L"abc"), 0);
  EXPECT_EQ(ReadNumber(L"99999999999"), 2147483647);
  EXPECT_EQ(ReadNumber(L"-99999999999"), -2147483647 - 1);
}

TEST(ValueTextTest, EachVariantTypeHasItsText) {
  EXPECT_EQ(ValueToText(host::Value()), L"");
  EXPECT_EQ(ValueToText(host::Value(std::int32_t{-42})), L"-42");
  EXPECT_EQ(ValueToText(host::Value(std::int64_t{5000000000})), L"5000000000");
  EXPECT_EQ(ValueToText(host::Value(2.5)), L"2.5");
  EXPECT_EQ(ValueToText(host::Value(1234567.0)), L"1.23457e+06");
  EXPECT_EQ(ValueToText(host::Value(1.0 / 3)), L"0.333333");
  EXPECT_EQ(ValueToText(host::Value(std::wstring(L"steel"))), L"steel");
  EXPECT_EQ(ValueToText(host::Value(host::Date{45356.5})), L"3/5/2024 12:00:00 PM");
  EXPECT_EQ(ValueToText(host::Value(host::Date{1e9})), L"Could not convert date type");
  EXPECT_EQ(ValueToText(host::Value(true)), L"Unknown format");
  EXPECT_EQ(ValueToText(host::Value(host::OtherValue{6})), L"Unknown format");
}

TEST(ValueTextTest, TimestampsAreEightDigitsABlankAndTheTime) {
  EXPECT_EQ(Timestamp({45356.0 + 14.0 / 24 + 7.0 / 1440 + 9.0 / 86400}), L"20240305 14:07:09");
  EXPECT_EQ(Timestamp({1.0}), L"18991231 00:00:00");
  // Rounding to the second carries into the next day.
  EXPECT_EQ(Timestamp({45356.9999999}), L"20240306 00:00:00");
  EXPECT_EQ(Timestamp({36526.0}), L"20000101 00:00:00");
}

}  // namespace
}  // namespace vendrel::commands
