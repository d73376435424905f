// The run-time edit box: the answer starts empty. It is not localized: the prompt is the text.
#include "commands/prompts/CRunEditBoxDlg.h"

#include "commands/prompts/CRunEditBoxDlgRes.h"

namespace vendrel::commands {

std::int32_t CRunEditBoxDlg::TemplateId() const {
  return IDD_RUN_EDIT_BOX;
}

void CRunEditBoxDlg::OnInit() {
  Ui().SetText(IDC_RUN_EDIT_BOX_PROMPT, prompt_);
}

bool CRunEditBoxDlg::OnOk() {
  answer_ = Ui().Text(IDC_RUN_EDIT_BOX_ANSWER);
  return true;
}

}  // namespace vendrel::commands
