// The registry editor's kind buttons: String or DWORD; Binary stays hidden.
#include "commands/system/CRegistryDlg.h"

#include "commands/system/CRegistryDlgRes.h"

namespace vendrel::commands {

CRegistryDlg::CRegistryDlg(const CmdRegistry& command)
    : FieldsDlg(IDD_REGISTRY, L"CRegistryDlg", command,
                {{IDC_REGISTRY_KEY, IDC_REGISTRY_KEY_MENU},
                 {IDC_REGISTRY_VALUE, IDC_REGISTRY_VALUE_MENU}}),
      kind_(command.Values().kind) {}

void CRegistryDlg::OnInit() {
  TextFieldsDlg::OnInit();
  // Binary values are never written: their button stays out of reach.
  Ui().Show(IDC_REGISTRY_BINARY, false);
  Ui().Enable(IDC_REGISTRY_BINARY, false);
  if (kind_ == CmdRegistry::kNoKind) kind_ = CmdRegistry::kString;
  const std::int32_t ticked = kind_ == CmdRegistry::kDword    ? IDC_REGISTRY_DWORD
                              : kind_ == CmdRegistry::kBinary ? IDC_REGISTRY_BINARY
                                                              : IDC_REGISTRY_STRING;
  Ui().CheckRadio(IDC_REGISTRY_STRING, IDC_REGISTRY_DWORD, ticked);
}

void CRegistryDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event == platform::ControlEvent::kClicked && control >= IDC_REGISTRY_STRING &&
      control <= IDC_REGISTRY_DWORD) {
    // Keeps the group exclusive where no dialog manager does.
    Ui().CheckRadio(IDC_REGISTRY_STRING, IDC_REGISTRY_DWORD, control);
    return;
  }
  TextFieldsDlg::OnControl(control, event);
}

bool CRegistryDlg::OnOk() {
  if (Ui().IsChecked(IDC_REGISTRY_STRING)) {
    kind_ = CmdRegistry::kString;
  } else if (Ui().IsChecked(IDC_REGISTRY_BINARY)) {
    kind_ = CmdRegistry::kBinary;
  } else if (Ui().IsChecked(IDC_REGISTRY_DWORD)) {
    kind_ = CmdRegistry::kDword;
  }
  return TextFieldsDlg::OnOk();
}

}  // namespace vendrel::commands
