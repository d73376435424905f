// The texts of host status codes: the host's table and its ranges, its translations, and the
// system's text for everything else.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "commands/vault/HostErrors.h"
#include "host/StatusTable.h"
#include "host/Strings.h"
#include "sim/SimVault.h"

namespace vendrel::commands {
namespace {

using host::MakeCode;

// Gives texts only for the codes it is told.
class ScriptedMachine : public platform::Machine {
 public:
  std::wstring ComputerName() override { return L"PC1"; }
  std::wstring UserName() override { return L"alice"; }
  std::wstring SystemMessage(std::uint32_t code) override {
    const auto it = texts.find(code);
    return it == texts.end() ? std::wstring() : it->second;
  }
  std::wstring ErrorObjectDescription() override { return {}; }
  std::map<std::uint32_t, std::wstring> texts;
};

std::wstring Describe(std::uint32_t code, host::VaultSession* vault = nullptr) {
  return DescribeHostCode(MakeCode(code), vault, nullptr);
}

TEST(HostErrors, TheHostsTableGivesItsOwnTexts) {
  EXPECT_EQ(Describe(0), L"The method was successfully executed.");
  EXPECT_EQ(Describe(1), L"The method was successfully executed but returned 'false'.");
  EXPECT_EQ(Describe(0x80004003), L"An invalid pointer was supplied to the method.");
  EXPECT_EQ(Describe(0x80004005), L"An unspecified error occurred.");
  EXPECT_EQ(Describe(0x8000FFFF), L"An unspecified error occurred.");
  EXPECT_EQ(Describe(0x8007000E), L"Not enough memory to complete the operation.");
  EXPECT_EQ(Describe(0x80070057), L"An invalid argument was given to the method.");
  EXPECT_EQ(Describe(0x80040204), L"You haven't logged in on the file vault.");
  EXPECT_EQ(Describe(0x80040206), Describe(0x80040221));
  EXPECT_EQ(Describe(0x80040212), L"The file in question is checked out by another user.");
  EXPECT_EQ(Describe(0x80040213), L"The file could not be found.");
  EXPECT_EQ(Describe(0x80040214), L"The folder could not be found.");
  EXPECT_EQ(Describe(0x80040215), L"The file is checked out on another computer.");
  EXPECT_EQ(Describe(0x80040252), L"The specified card variable is missing.");
  EXPECT_EQ(Describe(0x800402B0), L"The file is checked out in another folder.");
  EXPECT_EQ(Describe(0x80040294), L"The group name is invalid.");
}

TEST(HostErrors, EveryRowHasOneCodeAndAnEnglishText) {
  std::set<host::HResult> codes;
  std::map<std::int32_t, std::wstring> names;
  for (const host::StatusRow& row : host::StatusTable()) {
    EXPECT_TRUE(codes.insert(row.code).second) << std::hex << row.code;
    EXPECT_FALSE(strings::English(L"ZemInterface", L"ErrorCodes", row.stringId).empty())
        << row.stringId;
    EXPECT_EQ(host::FindStatus(row.code), &row);
  }
  EXPECT_EQ(host::FindStatus(MakeCode(0x80040200)), nullptr);
  EXPECT_EQ(host::FindStatus(MakeCode(0x800402D3)), nullptr) << "described by its own rule";
}

// The codes the add-in and the simulated vault name in code are the host's codes of those names.
TEST(HostErrors, NamedConstantsAgreeWithTheTable) {
  const std::pair<host::HResult, const wchar_t*> named[] = {
      {host::kOk, L"S_OK"},
      {host::kFalse, L"S_FALSE"},
      {host::kPointer, L"E_POINTER"},
      {host::kFail, L"E_FAIL"},
      {host::kUnexpected, L"E_UNEXPECTED"},
      {host::kOutOfMemory, L"E_OUTOFMEMORY"},
      {host::kInvalidArg, L"E_INVALIDARG"},
      {host::kNotLoggedIn, L"E_ZEM_NOT_LOGGED_IN"},
      {host::kPermissionDenied, L"E_ZEM_PERMISSION_DENIED"},
      {host::kNameAlreadyExists, L"E_ZEM_NAME_ALREADY_EXISTS"},
      {host::kFileNotLockedByYou, L"E_ZEM_FILE_NOT_LOCKED_BY_YOU"},
      {host::kFileIsLocked, L"E_ZEM_FILE_IS_LOCKED"},
      {host::kLockedByAnotherUser, L"E_ZEM_LOCKED_BY_ANOTHER_USER"},
      {host::kFileNotFound, L"E_ZEM_FILE_NOT_FOUND"},
      {host::kFolderNotFound, L"E_ZEM_FOLDER_NOT_FOUND"},
      {host::kLockedOnOtherComputer, L"E_ZEM_LOCKED_ON_OTHER_COMPUTER"},
      {host::kStateNotFound, L"E_ZEM_STATE_NOT_FOUND"},
      {host::kInvalidName, L"E_ZEM_INVALID_NAME"},
      {host::kFolderNotEmpty, L"E_ZEM_FOLDER_NOT_EMPTY"},
      {host::kInvalidType, L"E_ZEM_INVALID_TYPE"},
      {host::kConditionsNotMet, L"E_ZEM_CONDITIONS_NOT_MET"},
      {host::kVariableNotFound, L"E_ZEM_VARIABLE_NOT_FOUND"},
      {host::kInvalidGroupName, L""},
      {host::kLockedInOtherFolder, L"E_ZEM_LOCKED_IN_OTHER_FOLDER"},
  };
  for (const auto& [code, name] : named) {
    const host::StatusRow* row = host::FindStatus(code);
    ASSERT_NE(row, nullptr) << std::hex << code;
    EXPECT_STREQ(row->name, name);
  }
}

TEST(HostErrors, SpecialCodesAndRanges) {
  EXPECT_EQ(Describe(0x800402D3),
            L"The operating system version is not supported\nThe following is the minimum "
            L"requirement:\nWindows XP Service Pack 2\nWindows Server 2003 Service Pack 1");
  EXPECT_EQ(Describe(0x8004027D), L"E_ZEM_GET_ZEMFORMATROUTER");
  EXPECT_EQ(Describe(0x80040220), L"The server was not found.");
  EXPECT_EQ(Describe(0x80040222), L"The ODBC data source was not found.");
  EXPECT_EQ(Describe(0x80072EE7), L"The server name could not be resolved.");
  EXPECT_EQ(Describe(0x80072EFD), L"The attempt to connect to the server failed.");
  EXPECT_EQ(Describe(0x80072F83), L"The Internet connection has been lost");
  EXPECT_EQ(Describe(0x80072EE1), L"A WinINet error occured (code=12001).");
  EXPECT_EQ(Describe(0x80072F8F), L"A WinINet error occured (code=12175).");
  EXPECT_EQ(Describe(0x80040433), L"Archive server revision control error 1 (0x080040433)");
  EXPECT_EQ(Describe(0x80040432), L"Archive server revision control error 0 (0x080040432)");
  EXPECT_EQ(Describe(0x800404C4), L"Archive server revision control error 146 (0x0800404C4)");
}

TEST(HostErrors, OtherCodesGetTheSystemsTextOrTheStandardOne) {
  ScriptedMachine machine;
  machine.texts[0x80004002] = L"No such interface supported";
  machine.texts[0x80070005] = L"Access is denied.";
  EXPECT_EQ(DescribeHostCode(MakeCode(0x80004002), nullptr, &machine),
            L"No such interface supported");
  EXPECT_EQ(DescribeHostCode(MakeCode(0x80070005), nullptr, &machine), L"Access is denied.");
  EXPECT_EQ(DescribeHostCode(MakeCode(0x80040200), nullptr, &machine), L"Unknown error 0x80040200");
  EXPECT_EQ(DescribeHostCode(MakeCode(0x800402AF), nullptr, &machine), L"IDispatch error #175");
  EXPECT_EQ(DescribeHostCode(MakeCode(0x8004FFFF), nullptr, &machine), L"IDispatch error #65023");
  EXPECT_EQ(DescribeHostCode(MakeCode(0x80050000), nullptr, &machine), L"Unknown error 0x80050000");
  EXPECT_EQ(DescribeHostCode(MakeCode(0x0004F000), nullptr, &machine), L"Unknown error 0x4F000");
  machine.texts[0x800402AF] = L"from the system";
  EXPECT_EQ(ComErrorText(MakeCode(0x800402AF), &machine), L"from the system");
}

TEST(HostErrors, TheHostsTranslationsWinOverTheEnglishTexts) {
  auto vault = sim::SimVault::CreateInMemory();
  vault->AddUser(L"alice");
  host::Ref<host::VaultSession> session;
  ASSERT_EQ(vault->Login(L"alice", L"PC1", session), host::kOk);
  vault->SetHostString(L"ZemInterface", L"ErrorCodes", 20, L"Von jemand anderem ausgecheckt.");
  vault->SetHostString(L"ZemInterface", L"ErrorCodes", 274, L"Betriebssystem zu alt:");
  vault->SetHostString(L"Database", L"Error Messages", 207, L"Server nicht gefunden.");
  vault->SetHostString(L"ZemInterface", L"ErrorCodes", 21, L"");

  EXPECT_EQ(Describe(0x80040212, session.Get()), L"Von jemand anderem ausgecheckt.");
  EXPECT_EQ(Describe(0x80040220, session.Get()), L"Server nicht gefunden.");
  EXPECT_EQ(
      Describe(0x800402D3, session.Get()),
      L"Betriebssystem zu alt:\nWindows XP Service Pack 2\nWindows Server 2003 Service Pack 1");
  EXPECT_EQ(Describe(0x80040213, session.Get()), L"The file could not be found.")
      << "an empty translation gives the English text";
  EXPECT_EQ(Describe(0x80040214, session.Get()), L"The folder could not be found.");
}

TEST(HostErrors, TheSimulatedVaultDescribesEveryCodeOfTheTable) {
  auto vault = sim::SimVault::CreateInMemory();
  vault->AddUser(L"alice");
  host::Ref<host::VaultSession> session;
  ASSERT_EQ(vault->Login(L"alice", L"PC1", session), host::kOk);
  for (const host::StatusRow& row : host::StatusTable()) {
    std::wstring name, description;
    ASSERT_EQ(session->ErrorText(row.code, name, description), host::kOk);
    EXPECT_EQ(name, row.name);
    EXPECT_EQ(description, Describe(static_cast<std::uint32_t>(row.code)));
  }
}

}  // namespace
}  // namespace vendrel::commands
