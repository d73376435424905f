// The label editor.
#include "commands/core/CLabelDlg.h"

#include "commands/core/CLabelDlgRes.h"

namespace vendrel::commands {

std::int32_t CLabelDlg::TemplateId() const {
  return IDD_LABEL;
}

void CLabelDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CLabelDlg", false, L"", L"", L"");
  Ui().SetText(IDC_LABEL_NAME, name_);
}

bool CLabelDlg::OnOk() {
  name_ = Ui().Text(IDC_LABEL_NAME);
  return true;
}

}  // namespace vendrel::commands
