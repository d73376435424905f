// The delete-file editor's controls: the path with its "->" button, and the vault check box.
#include "commands/files/CDeleteFileDlg.h"

namespace vendrel::commands {

CDeleteFileDlg::CDeleteFileDlg(const CmdDeleteFile& command)
    : TextFieldsDlg(kTemplate, L"CDeleteFileDlg", command, {{233, 302, command.Path()}}),
      fromVault_(command.FromVault()) {}

void CDeleteFileDlg::OnInit() {
  TextFieldsDlg::OnInit();
  Ui().SetChecked(kFromVault, fromVault_);
}

bool CDeleteFileDlg::OnOk() {
  fromVault_ = Ui().IsChecked(kFromVault);
  return TextFieldsDlg::OnOk();
}

}  // namespace vendrel::commands
