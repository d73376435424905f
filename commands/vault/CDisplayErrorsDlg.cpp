// The error report: the details and every message followed by an empty line.
#include "commands/vault/CDisplayErrorsDlg.h"

#include "commands/vault/CDisplayErrorsDlgRes.h"

namespace vendrel::commands {

namespace {
// Not localized: the report names the command the same way in every language.
constexpr const wchar_t* kCommandLabel = L"Set Variables";
}  // namespace

CDisplayErrorsDlg::CDisplayErrorsDlg(const std::vector<std::wstring>& messages,
                                     std::wstring actionName, std::wstring variableName)
    : messages_(messages),
      actionName_(std::move(actionName)),
      variableName_(std::move(variableName)) {}

std::int32_t CDisplayErrorsDlg::TemplateId() const {
  return IDD_DISPLAY_ERRORS;
}

void CDisplayErrorsDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CDisplayErrorsDlg", false, L"", L"", L"");
  Ui().SetText(IDC_DISPLAY_ERRORS_ACTION, actionName_);
  Ui().SetText(IDC_DISPLAY_ERRORS_COMMAND, kCommandLabel);
  Ui().SetText(IDC_DISPLAY_ERRORS_VARIABLE, variableName_);
  std::wstring text;
  for (const std::wstring& message : messages_) text += message + L"\r\n\r\n";
  Ui().SetText(IDC_DISPLAY_ERRORS_MESSAGES, text);
}

}  // namespace vendrel::commands
