// The get-file editor's controls: the radio index is the flag.
#include "commands/vault/CGetFileDlg.h"

#include "commands/vault/CGetFileDlgRes.h"

namespace vendrel::commands {

CGetFileDlg::CGetFileDlg(const CmdGetFile& command)
    : FieldsDlg(IDD_GET_FILE, L"CGetFileDlg", command,
                {{IDC_GET_FILE_PATH, IDC_GET_FILE_PATH_MENU}}),
      alsoIfEarlier_(command.Values().alsoIfEarlier) {}

void CGetFileDlg::OnInit() {
  TextFieldsDlg::OnInit();
  Ui().CheckRadio(IDC_GET_FILE_IF_MISSING, IDC_GET_FILE_IF_EARLIER,
                  alsoIfEarlier_ ? IDC_GET_FILE_IF_EARLIER : IDC_GET_FILE_IF_MISSING);
}

bool CGetFileDlg::OnOk() {
  alsoIfEarlier_ = Ui().IsChecked(IDC_GET_FILE_IF_EARLIER);
  return TextFieldsDlg::OnOk();
}

}  // namespace vendrel::commands
