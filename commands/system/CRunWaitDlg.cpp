// The waiting window's text: "Waiting for PATH to be created", "... deleted" or "... set".
#include "commands/system/CRunWaitDlg.h"

#include "commands/system/CRunWaitDlgRes.h"
#include "commands/system/CmdWait.h"
#include "host/Strings.h"

namespace vendrel::commands {

CRunWaitDlg::CRunWaitDlg(const std::wstring& path, std::int32_t condition)
    : message_(strings::Load(73, L"Waiting for ") + path) {
  switch (condition) {
    case kFileCreated:
      message_ += strings::Load(74, L" to be created");
      break;
    case kFileDeleted:
      message_ += strings::Load(75, L" to be deleted");
      break;
    case kRegistryValueSet:
      message_ += strings::Load(76, L" to be set");
      break;
    default:
      break;
  }
}

std::int32_t CRunWaitDlg::TemplateId() const {
  return IDD_RUN_WAIT;
}

void CRunWaitDlg::OnInit() {
  Ui().SetText(IDC_RUN_WAIT_TEXT, message_);
}

}  // namespace vendrel::commands
