// Text conversions: the same cases hold the native emulation and, under wine, the real system
// to the same answers.
#include <gtest/gtest.h>

#include <string>

#include "platform/TextConversion.h"

namespace vendrel::platform {
namespace {

TEST(TextConversion, IntegersRoundAndOverflow) {
  std::int32_t n = 0;
  EXPECT_EQ(TextToInt32(L" 42 ", n), kConverted);
  EXPECT_EQ(n, 42);
  EXPECT_EQ(TextToInt32(L"-1,000", n), kConverted);
  EXPECT_EQ(n, -1000);
  EXPECT_EQ(TextToInt32(L"2.5", n), kConverted);
  EXPECT_EQ(n, 2) << "halves round to even";
  EXPECT_EQ(TextToInt32(L"3.5", n), kConverted);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(TextToInt32(L"&H1F", n), kConverted);
  EXPECT_EQ(n, 31);
  EXPECT_EQ(TextToInt32(L"1e3", n), kConverted);
  EXPECT_EQ(n, 1000);
  EXPECT_EQ(TextToInt32(L"2147483647", n), kConverted);
  EXPECT_EQ(n, 2147483647);
  EXPECT_EQ(TextToInt32(L"2147483648", n), kConversionOverflow);
  EXPECT_EQ(TextToInt32(L"-2147483649", n), kConversionOverflow);
  EXPECT_EQ(TextToInt32(L"12 teeth", n), kConversionMismatch);
  EXPECT_EQ(TextToInt32(L"", n), kConversionMismatch);
}

TEST(TextConversion, FloatsAndYesNo) {
  float f = 0;
  EXPECT_EQ(TextToSingle(L"1.5", f), kConverted);
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(TextToSingle(L"-2.5e2", f), kConverted);
  EXPECT_EQ(f, -250.0f);
  EXPECT_EQ(TextToSingle(L"1e39", f), kConversionOverflow);
  EXPECT_EQ(TextToSingle(L"heavy", f), kConversionMismatch);

  bool b = false;
  EXPECT_EQ(TextToBool(L"True", b), kConverted);
  EXPECT_TRUE(b);
  EXPECT_EQ(TextToBool(L"false", b), kConverted);
  EXPECT_FALSE(b);
  EXPECT_EQ(TextToBool(L"-1", b), kConverted);
  EXPECT_TRUE(b);
  EXPECT_EQ(TextToBool(L"0", b), kConverted);
  EXPECT_FALSE(b);
  EXPECT_EQ(TextToBool(L"maybe", b), kConversionMismatch);
}

TEST(TextConversion, DatesBothWays) {
  double d = 0;
  EXPECT_EQ(TextToDate(L"2/29/2024", d), kConverted);
  EXPECT_EQ(d, 45351.0);
  EXPECT_EQ(TextToDate(L"2024-02-29", d), kConverted);
  EXPECT_EQ(d, 45351.0);
  EXPECT_EQ(TextToDate(L"March 5, 2024", d), kConverted);
  EXPECT_EQ(d, 45356.0);
  EXPECT_EQ(TextToDate(L"2/29/2024 1:30:00 PM", d), kConverted);
  EXPECT_DOUBLE_EQ(d, 45351.0 + 13.5 / 24);
  EXPECT_EQ(TextToDate(L"13:45", d), kConverted);
  EXPECT_DOUBLE_EQ(d, (13 * 60 + 45) / 1440.0);
  EXPECT_EQ(TextToDate(L"soon", d), kConversionMismatch);
  EXPECT_EQ(TextToDate(L"", d), kConversionMismatch);

  // Dates as text show only their non-zero parts.
  EXPECT_EQ(DateToText(45356.0), L"3/5/2024");
  EXPECT_EQ(DateToText(0.25), L"6:00:00 AM");
  EXPECT_EQ(DateToText(45356.0 + 13.0 / 24 + 5.0 / 1440), L"3/5/2024 1:05:00 PM");
  // Before day 0 the fraction still counts forward from midnight.
  EXPECT_EQ(DateToText(-1.25), L"12/29/1899 6:00:00 AM");
  EXPECT_EQ(DateToText(-700000.0), std::nullopt);
}

}  // namespace
}  // namespace vendrel::platform
