// The string-file format: what a translator writes and what the library makes of it.
#include "uilibs/lexicor/StringFile.h"

#include <gtest/gtest.h>

namespace vendrel::lexicor {
namespace {

std::wstring Text(const ParsedStringFile& file, const std::wstring& table, std::int32_t id) {
  const auto found = file.texts.find({table, id});
  return found == file.texts.end() ? L"<none>" : found->second;
}

TEST(StringFile, EntriesBelongToTheTableAboveThem) {
  const auto file = ParseStringFile(
      "# comment\n"
      "\n"
      "[TS]\n"
      "1 = \"one\"\n"
      "  2   =   \"two\"  \n"
      "[Error Messages]\n"
      "1 = \"other one\"\n");
  EXPECT_TRUE(file.errors.empty());
  EXPECT_EQ(file.texts.size(), 3u);
  EXPECT_EQ(Text(file, L"TS", 1), L"one");
  EXPECT_EQ(Text(file, L"TS", 2), L"two");
  EXPECT_EQ(Text(file, L"Error Messages", 1), L"other one");
}

TEST(StringFile, QuotesKeepBlanksAndEscapesGiveControlCharacters) {
  const auto file = ParseStringFile(
      "[TS]\n"
      "7 = \"Copy of \"\n"
      "36 = \" ALWAYS \"\n"
      "157 = \"a\\n b\\r\\n\\tc \\\"q\\\" d\\\\e %d%%\"\n");
  EXPECT_TRUE(file.errors.empty());
  EXPECT_EQ(Text(file, L"TS", 7), L"Copy of ");
  EXPECT_EQ(Text(file, L"TS", 36), L" ALWAYS ");
  EXPECT_EQ(Text(file, L"TS", 157), L"a\n b\r\n\tc \"q\" d\\e %d%%");
}

TEST(StringFile, WindowsLineEndsAndByteOrderMarkAreAccepted) {
  const auto file = ParseStringFile("\xEF\xBB\xBF[TS]\r\n5 = \"five\"\r\n6 = \"six\"");
  EXPECT_TRUE(file.errors.empty());
  EXPECT_EQ(Text(file, L"TS", 5), L"five");
  EXPECT_EQ(Text(file, L"TS", 6), L"six");
}

TEST(StringFile, NonAsciiTextsDecodeToTheSameCharactersOnEveryBuild) {
  // U+00FC, U+20AC and U+1F600, the last outside the basic plane (a surrogate pair where
  // wchar_t has 16 bits).
  const auto file = ParseStringFile("[TS]\n1 = \"\xC3\xBC \xE2\x82\xAC \xF0\x9F\x98\x80\"\n");
  ASSERT_TRUE(file.errors.empty());
  std::wstring expected = L"\u00FC \u20AC ";
  if constexpr (sizeof(wchar_t) == 2)
    expected += {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  else
    expected += static_cast<wchar_t>(0x1F600);
  EXPECT_EQ(Text(file, L"TS", 1), expected);
}

TEST(StringFile, FaultyLinesAreReportedByNumberAndSkipped) {
  const auto file = ParseStringFile(
      "1 = \"before any table\"\n"  // 1
      "[TS]\n"                      // 2
      "2 = unquoted\n"              // 3
      "x = \"id is no number\"\n"   // 4
      "4 = \"bad \\q escape\"\n"    // 5
      "5 \"no equals sign\"\n"      // 6
      "6 = \"inner \" quote\"\n"    // 7
      "7 = \"\xC3\x28\"\n"          // 8: broken UTF-8
      "8 = \"good\"\n"              // 9
      "8 = \"second\"\n"            // 10: duplicate, first wins
      "[]\n"                        // 11
      "9 = \"trailing\\\"\n"        // 12: the closing quote is escaped
      "99999999999 = \"big\"\n");   // 13
  std::vector<int> lines;
  for (const auto& error : file.errors) lines.push_back(error.line);
  EXPECT_EQ(lines, (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13}));
  EXPECT_EQ(file.texts.size(), 1u);
  EXPECT_EQ(Text(file, L"TS", 8), L"good");
}

TEST(StringFile, MissingFileGivesAnEmptyTable) {
  const auto file = ReadStringFile(L"/nonexistent/vendrel/GB/Vorn.txt");
  EXPECT_TRUE(file.texts.empty());
  EXPECT_TRUE(file.errors.empty());
}

}  // namespace
}  // namespace vendrel::lexicor
