// The string library: language files, the current-file stack and fallbacks to English.
#include "uilibs/lexicor/Lexicor.h"

#include <gtest/gtest.h>

#include "tests/strings/LanguageFolder.h"

namespace vendrel::lexicor {
namespace {

class Lexicor : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write(L"D", L"Vorn",
                  "[TS]\n"
                  "1 = \"Diese Datei ist keine g\xC3\xBCltige Aktionsdatei\"\n"
                  "157 = \"Fehler.\\n %d Anfangs- und %d Endbl\xC3\xB6"
                  "cke\"\n"
                  "[Other]\n"
                  "1 = \"anderer Text\"\n");
    folder_.Write(L"D", L"ZemInterface", "[ErrorCodes]\n1 = \"Erfolg, aber 'falsch'\"\n");
    Init(L"D");
  }
  void TearDown() override { gvInitStrDll(L"ZENTRIK", L"Tessadel", L"", L"", nullptr); }

  void Init(const wchar_t* language) {
    gvInitStrDll(L"ZENTRIK", L"Tessadel", language, folder_.Path().c_str(), nullptr);
  }

  lexicor_test::LanguageFolder folder_;
};

// Push and pop around a block, as the add-in's entry points do.
class FileScope {
 public:
  explicit FileScope(const wchar_t* file) { gvPushDefaultFile(file); }
  ~FileScope() { gvPopDefaultFile(); }
};

TEST_F(Lexicor, TranslationReplacesTheEnglishDefault) {
  FileScope vorn(L"Vorn");
  EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"This file is not a valid Kalvano Action file"),
               L"Diese Datei ist keine g\u00FCltige Aktionsdatei");
  EXPECT_STREQ(TSS_internal(157, L"TS", nullptr, L"Mismatch"),
               L"Fehler.\n %d Anfangs- und %d Endbl\u00F6cke");
}

TEST_F(Lexicor, UntranslatedIdGivesTheCallersDefault) {
  FileScope vorn(L"Vorn");
  EXPECT_STREQ(TSS_internal(2, L"TS", nullptr, L"Error opening file"), L"Error opening file");
  EXPECT_STREQ(TSS_internal(2, L"TS", nullptr, nullptr), L"");
}

TEST_F(Lexicor, SameIdDiffersByTableAndByFile) {
  FileScope vorn(L"Vorn");
  EXPECT_STREQ(TSS_internal(1, L"Other", nullptr, L"x"), L"anderer Text");
  EXPECT_STREQ(TSS_internal(1, L"ErrorCodes", nullptr, L"english"), L"english");
  EXPECT_STREQ(TSS_internal(1, L"ErrorCodes", L"ZemInterface", L"english"),
               L"Erfolg, aber 'falsch'");
  EXPECT_STREQ(TSS_internal(1, L"TS", L"ZemInterface", L"english"), L"english");
}

TEST_F(Lexicor, InnermostFileWinsAndPoppingRestoresTheOuterOne) {
  FileScope vorn(L"Vorn");
  {
    FileScope host(L"ZemInterface");
    EXPECT_STREQ(TSS_internal(1, L"ErrorCodes", nullptr, L"english"), L"Erfolg, aber 'falsch'");
    EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"english"), L"english");
    {
      FileScope again(L"Vorn");
      EXPECT_STREQ(TSS_internal(1, L"ErrorCodes", nullptr, L"english"), L"english");
    }
    EXPECT_STREQ(TSS_internal(1, L"ErrorCodes", nullptr, L"english"), L"Erfolg, aber 'falsch'");
  }
  EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"english"),
               L"Diese Datei ist keine g\u00FCltige Aktionsdatei");
}

TEST_F(Lexicor, WithoutCurrentFileEveryLookupGivesItsDefault) {
  EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"english"), L"english");
  gvPopDefaultFile();  // more pops than pushes must not disturb later pushes
  gvPopDefaultFile();
  EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"english"), L"english");
  FileScope vorn(L"Vorn");
  EXPECT_STREQ(TSS_internal(1, L"Other", nullptr, L"x"), L"anderer Text");
}

TEST_F(Lexicor, MissingLanguageFolderOrFileIsNoError) {
  FileScope vorn(L"Vorn");
  Init(L"F");  // no folder for this language
  EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"english"), L"english");
  Init(L"D");
  EXPECT_STREQ(TSS_internal(1, L"TS", L"Database", L"english"), L"english");
  gvInitStrDll(L"ZENTRIK", L"Tessadel", L"D", L"/nonexistent/vendrel/lanfiles", nullptr);
  EXPECT_STREQ(TSS_internal(1, L"TS", nullptr, L"english"), L"english");
}

TEST_F(Lexicor, InitializingAgainRereadsTheFiles) {
  FileScope vorn(L"Vorn");
  EXPECT_STREQ(TSS_internal(1, L"Other", nullptr, L"x"), L"anderer Text");
  folder_.Write(L"D", L"Vorn", "[Other]\n1 = \"neuer Text\"\n");
  EXPECT_STREQ(TSS_internal(1, L"Other", nullptr, L"x"), L"anderer Text");  // read once
  Init(L"D");
  EXPECT_STREQ(TSS_internal(1, L"Other", nullptr, L"x"), L"neuer Text");
}

TEST_F(Lexicor, FolderPathMayEndInASeparatorAndHoldNonAsciiCharacters) {
  lexicor_test::LanguageFolder unusual(L"Spr\u00E4che");
  unusual.Write(L"D", L"Vorn", "[TS]\n9 = \"Aktionen verwalten\"\n");
  FileScope vorn(L"Vorn");
  gvInitStrDll(L"ZENTRIK", L"Tessadel", L"D", (unusual.Path() + L"/").c_str(), nullptr);
  EXPECT_STREQ(TSS_internal(9, L"TS", nullptr, L"Administrate Actions"), L"Aktionen verwalten");
}

TEST_F(Lexicor, TableOfCurrentFileListsOneTableInIdOrder) {
  FileScope vorn(L"Vorn");
  const auto texts = TableOfCurrentFile(L"TS");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].first, 1);
  EXPECT_EQ(texts[1].first, 157);
  EXPECT_TRUE(TableOfCurrentFile(L"Missing").empty());
}

}  // namespace
}  // namespace vendrel::lexicor
