// Send message: recipients picked in the editor, groups sent to before users, and the stop at a
// recipient the vault does not know.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/vault/CmdSendMsg.h"
#include "commands/vault/SendMsgDlgRes.h"
#include "tests/cards/CardFixture.h"
#include "tests/support/Steps.h"

namespace vendrel::commands::testing {
namespace {

using platform::ScriptedSurface;
using ::testing::ElementsAre;
using Fields = CmdSendMsg::Fields;

constexpr std::int32_t kTo = 482, kSubject = 484, kMessage = 486;

class SendMsgTest : public CardFixture {
 protected:
  void SetUp() override {
    CardFixture::SetUp();
    vault->AddUser(L"carol");
    vault->AddGroup(L"Design");
    vault->AddMember(L"Design", L"bob");
    vault->AddMember(L"Design", L"carol");
  }
  std::unique_ptr<CmdSendMsg> Make(Fields fields) {
    auto command = vendrel::testing::MakeCommand<CmdSendMsg>(action, fakes.services);
    command->SetVault(alice.Get());
    command->Assign(std::move(fields));
    return command;
  }
  std::vector<std::wstring> Subjects(const std::wstring& user) {
    std::vector<std::wstring> subjects;
    for (const sim::InboxMessage& m : vault->Inbox(user))
      subjects.push_back(m.group + L"|" + m.subject);
    return subjects;
  }
};

TEST_F(SendMsgTest, GroupsHearFirstAndAnUnknownRecipientStopsTheSending) {
  auto run = Run();
  EXPECT_TRUE(Make({})->Execute(*run)) << "no recipients: nothing to do";

  auto command =
      Make({.users = {L"bob"}, .groups = {L"Design"}, .subject = L"Hi", .message = L"there"});
  EXPECT_EQ(command->Summary(), L"Hithere");
  EXPECT_TRUE(command->Execute(*run));
  EXPECT_THAT(Subjects(L"bob"), ElementsAre(L"Design|Hi", L"|Hi"));
  EXPECT_THAT(Subjects(L"carol"), ElementsAre(L"Design|Hi"));
  EXPECT_EQ(vault->Inbox(L"bob")[0].sender, L"alice");
  EXPECT_EQ(vault->Inbox(L"bob")[0].text, L"there");

  auto stopped = Make({.users = {L"carol", L"ghost", L"bob"}, .subject = L"Again"});
  EXPECT_FALSE(stopped->Execute(*run));
  EXPECT_EQ(Subjects(L"carol").back(), L"|Again");
  EXPECT_EQ(Subjects(L"bob").back(), L"|Hi") << "nothing after the unknown name";
  EXPECT_TRUE(answers.Boxes().empty()) << "the command shows nothing";
}

TEST_F(SendMsgTest, TheEditorListsGroupsAndUsersAndTakesTheSelection) {
  auto command = Make({.users = {L"carol"}, .subject = L"Hi", .message = L"there"});
  dialogs.QueueLines({vendrel::testing::Step(L"rows", IDC_SEND_MSG_TO),
                      vendrel::testing::Step(L"select", IDC_SEND_MSG_TO, L"Group:Design"),
                      vendrel::testing::Step(L"select", IDC_SEND_MSG_TO, L"User:bob"),
                      vendrel::testing::Step(L"text", IDC_SEND_MSG_SUBJECT, L"Review"), L"ok"});
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(
      command->Values(),
      (Fields{
          .users = {L"bob"}, .groups = {L"Design"}, .subject = L"Review", .message = L"there"}));
  EXPECT_EQ(command->Summary(), L"Reviewthere");

  auto check = Make(command->Values());
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(kTo),
                ElementsAre(L"Group:Design", L"User:alice", L"User:bob", L"User:carol"));
    EXPECT_THAT(ui.SelectedRows(kTo), ElementsAre(0, 2));
    EXPECT_EQ(ui.Text(kSubject), L"Review");
    EXPECT_EQ(ui.Text(kMessage), L"there");
    EXPECT_TRUE(ui.IsEnabled(platform::kIdOk));
    ui.ChooseRows(kTo, {});
    EXPECT_FALSE(ui.IsEnabled(platform::kIdOk));
    ui.ChooseRows(kTo, {1, 3});
    EXPECT_TRUE(ui.IsEnabled(platform::kIdOk));
    ui.Ok();
  });
  EXPECT_TRUE(check->Edit(0));
  EXPECT_EQ(check->Values().users, (std::vector<std::wstring>{L"alice", L"carol"}));
  EXPECT_TRUE(check->Values().groups.empty());
}

TEST_F(SendMsgTest, ARecipientWhoLeftTheVaultIsDroppedWhenTheEditorOpens) {
  auto command = Make({.users = {L"carol"}, .groups = {L"Gone"}, .subject = L"s"});
  vault->RemoveUser(L"carol");
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_FALSE(ui.IsEnabled(platform::kIdOk));
    EXPECT_TRUE(ui.SelectedRows(kTo).empty());
  });
  EXPECT_FALSE(command->Edit(0));
  EXPECT_TRUE(command->Values().users.empty());
  EXPECT_TRUE(command->Values().groups.empty());
}

TEST_F(SendMsgTest, RecipientsStayWhenTheDirectoryCannotBeRead) {
  for (const char* failing : {"SimUserDirectory::Users", "SimSession::UserDirectory"}) {
    auto command = Make({.users = {L"carol"}, .groups = {L"Design"}, .subject = L"s"});
    vault->GetStore().GetFaults().FailOperation(failing, host::kFail);
    dialogs.Queue([](ScriptedSurface& ui) {
      EXPECT_EQ(ui.SelectedRows(kTo).size(), 2u);
      ui.Ok();
    });
    EXPECT_TRUE(command->Edit(0)) << failing;
    vault->GetStore().GetFaults().Reset();
    EXPECT_EQ(command->Values().users, std::vector<std::wstring>{L"carol"}) << failing;
    EXPECT_EQ(command->Values().groups, std::vector<std::wstring>{L"Design"}) << failing;
  }
}

TEST_F(SendMsgTest, StoredFormHoldsSubjectMessageThenUsersThenGroups) {
  actions::HexStringFile file;
  {
    actions::Archive out(file, actions::Archive::Mode::kStore);
    out.WriteText(L"");
    out.WriteText(L"Sub");
    out.WriteText(L"Body");
    out.WriteInt32(0);
    out.WriteInt32(2);
    out.WriteText(L"Design");
    out.WriteText(L"Shop");
  }
  file.Seek(0, actions::File::Origin::kBegin);
  auto command = Make({.users = {L"stale"}});
  actions::Archive in(file, actions::Archive::Mode::kLoad);
  command->Serialize(in);
  EXPECT_EQ(command->Values(),
            (Fields{.groups = {L"Design", L"Shop"}, .subject = L"Sub", .message = L"Body"}));
}

}  // namespace
}  // namespace vendrel::commands::testing
