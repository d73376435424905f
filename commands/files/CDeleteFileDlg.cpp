// The delete-file editor's controls: the path with its "->" button, and the vault check box.
#include "commands/files/CDeleteFileDlg.h"

#include "commands/files/CDeleteFileDlgRes.h"

namespace vendrel::commands {

CDeleteFileDlg::CDeleteFileDlg(const CmdDeleteFile& command)
    : FieldsDlg(IDD_DELETE_FILE, L"CDeleteFileDlg", command,
                {{IDC_DELETE_FILE_PATH, IDC_DELETE_FILE_PATH_MENU}}),
      fromVault_(command.Values().fromVault) {}

void CDeleteFileDlg::OnInit() {
  TextFieldsDlg::OnInit();
  Ui().SetChecked(IDC_DELETE_FILE_FROM_VAULT, fromVault_);
}

bool CDeleteFileDlg::OnOk() {
  fromVault_ = Ui().IsChecked(IDC_DELETE_FILE_FROM_VAULT);
  return TextFieldsDlg::OnOk();
}

}  // namespace vendrel::commands
