// The send-message editor: recipients from the vault's groups and users, subject and message.
#pragma once

#include <string>
#include <vector>

#include "commands/vault/CmdSendMsg.h"
#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class SendMsgDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  // `stored` is the command's own: opening drops from its recipient lists the names the vault
  // no longer has, whether OK follows or not.
  SendMsgDlg(SendMsgFields& stored, std::vector<std::wstring> vaultUsers,
             std::vector<std::wstring> vaultGroups);

  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override;

  // What OK left: the texts, and the selection as the recipients.
  const SendMsgFields& Values() const { return fields_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  // Selects the entry `prefix` + name of each stored name the vault knows, drops the others;
  // true when one was selected.
  bool SelectStored(std::vector<std::wstring>& stored, const std::vector<std::wstring>& known,
                    const std::wstring& prefix);

  SendMsgFields& stored_;
  SendMsgFields fields_;
  std::vector<std::wstring> vaultUsers_;
  std::vector<std::wstring> vaultGroups_;
  std::wstring userPrefix_;
  std::wstring groupPrefix_;
};

}  // namespace vendrel::commands
