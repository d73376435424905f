// The send-message editor: recipients from the vault's groups and users, subject and message.
#pragma once

#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class SendMsgDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  // The recipient lists are the command's own: opening drops the names the vault no longer
  // has, OK replaces them with the selection.
  SendMsgDlg(std::vector<std::wstring>& users, std::vector<std::wstring>& groups,
             std::vector<std::wstring> vaultUsers, std::vector<std::wstring> vaultGroups,
             std::wstring subject, std::wstring message);

  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override;

  const std::wstring& Subject() const { return subject_; }
  const std::wstring& Message() const { return message_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  // Selects the entry `prefix` + name of each stored name the vault knows, drops the others;
  // true when one was selected.
  bool SelectStored(std::vector<std::wstring>& stored, const std::vector<std::wstring>& known,
                    const std::wstring& prefix);

  std::vector<std::wstring>& users_;
  std::vector<std::wstring>& groups_;
  std::vector<std::wstring> vaultUsers_;
  std::vector<std::wstring> vaultGroups_;
  std::wstring subject_;
  std::wstring message_;
  std::wstring userPrefix_;
  std::wstring groupPrefix_;
};

}  // namespace vendrel::commands
