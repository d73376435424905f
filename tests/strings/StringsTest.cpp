// The add-in's texts: the shipped English table and lookups through the current string file.
#include "host/Strings.h"

#include <gtest/gtest.h>

#include "host/EnglishStrings.h"
#include "tests/strings/LanguageFolder.h"
#include "uilibs/lexicor/StringFile.h"

namespace vendrel::strings {
namespace {

TEST(EnglishTable, EveryShippedFileParsesCleanlyWithoutEmptyTexts) {
  std::vector<std::wstring> names;
  for (const EmbeddedStringFile& file : EnglishStringFiles()) {
    names.emplace_back(file.name);
    const auto parsed = lexicor::ParseStringFile(file.utf8);
    for (const auto& error : parsed.errors)
      ADD_FAILURE() << "line " << error.line << ": " << error.message;
    EXPECT_FALSE(parsed.texts.empty());
    for (const auto& [key, text] : parsed.texts) EXPECT_FALSE(text.empty()) << key.second;
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Database", L"Vorn", L"ZemInterface"}));
}

TEST(EnglishTable, LineBreaksAndFormatsSurviveTheBuild) {
  const std::wstring mismatch = English(L"Vorn", L"TS", 157);
  EXPECT_EQ(mismatch,
            L"Mismatch error.\n There are %d start blocks and %d end blocks in this action.");
  wchar_t buffer[128];
  std::swprintf(buffer, 128, mismatch.c_str(), 0, 1);
  EXPECT_STREQ(buffer,
               L"Mismatch error.\n There are 0 start blocks and 1 end blocks in this action.");

  EXPECT_EQ(English(L"Vorn", L"TS", 121), L"Error generating parameter file.\n\n");
  EXPECT_EQ(English(L"ZemInterface", L"ErrorCodes", 274),
            L"The operating system version is not supported\n"
            L"The following is the minimum requirement:");
  EXPECT_EQ(English(L"Vorn", L"TS", 7), L"Copy of ");  // the trailing blank matters
}

TEST(EnglishTable, SameIdInDifferentFilesAndTablesIsADifferentText) {
  EXPECT_EQ(English(L"Vorn", L"TS", 134),
            L"The variable name '%s' already exists, please rename it.");
  EXPECT_EQ(English(L"ZemInterface", L"ErrorCodes", 134),
            L"The specified card variable is missing.");
  EXPECT_EQ(English(L"Vorn", L"TS", 66), L"Execute with shell");
  EXPECT_EQ(English(L"ZemInterface", L"ErrorCodes", 66), L"An unspecified error occurred.");
  EXPECT_EQ(English(L"Database", L"Error Messages", 209), L"The ODBC data source was not found.");
  EXPECT_EQ(English(L"Vorn", L"ErrorCodes", 134), L"");
  EXPECT_EQ(English(L"Database", L"TS", 207), L"");
  EXPECT_EQ(English(L"Vorn", L"TS", 11), L"");
  EXPECT_EQ(English(L"Nowhere", L"TS", 1), L"");
}

class LoadedTexts : public ::testing::Test {
 protected:
  void TearDown() override { Initialize(L"", L""); }
  lexicor_test::LanguageFolder folder_;
};

TEST_F(LoadedTexts, LoadReadsTableTsOfTheCurrentFile) {
  folder_.Write(L"D", L"Vorn", "[TS]\n9 = \"Aktionen verwalten\"\n");
  folder_.Write(L"D", L"Other", "[TS]\n9 = \"Anderes\"\n");
  Initialize(L"D", folder_.Path());
  EXPECT_EQ(Load(9, L"Administrate Actions"), L"Administrate Actions");  // no current file
  DefaultFileScope vorn;
  EXPECT_EQ(Load(9, L"Administrate Actions"), L"Aktionen verwalten");
  EXPECT_EQ(Load(8, L"Administrate Actions..."), L"Administrate Actions...");
  {
    DefaultFileScope other(L"Other");
    EXPECT_EQ(Load(9, L"Administrate Actions"), L"Anderes");
  }
  EXPECT_EQ(Load(9, L"Administrate Actions"), L"Aktionen verwalten");
}

TEST_F(LoadedTexts, EnglishLanguageWithoutFilesGivesTheShippedTexts) {
  Initialize(L"GB", folder_.Path());
  DefaultFileScope vorn;
  for (std::int32_t id : {1, 10, 157, 178})
    EXPECT_EQ(Load(id, English(L"Vorn", L"TS", id).c_str()), English(L"Vorn", L"TS", id));
}

}  // namespace
}  // namespace vendrel::strings
