// The registry editor's kind buttons: String or DWORD; Binary stays hidden.
#include "commands/system/CRegistryDlg.h"

#include "commands/system/CRegistryDlgRes.h"

namespace vendrel::commands {
namespace {

// The buttons follow the stored kinds; a new command's kind shows String.
constexpr FieldControl kBound[] = {
    {"kind", IDC_REGISTRY_STRING, FieldControl::Kind::kRadios, IDC_REGISTRY_DWORD}};

}  // namespace

CRegistryDlg::CRegistryDlg(const CmdRegistry& command)
    : FieldsDlg(IDD_REGISTRY, L"CRegistryDlg", command,
                {{"keyPath", IDC_REGISTRY_KEY, IDC_REGISTRY_KEY_MENU},
                 {"value", IDC_REGISTRY_VALUE, IDC_REGISTRY_VALUE_MENU}},
                kBound) {}

void CRegistryDlg::OnInit() {
  FieldsDlg::OnInit();
  // Binary values are never written: their button stays out of reach.
  Ui().Show(IDC_REGISTRY_BINARY, false);
  Ui().Enable(IDC_REGISTRY_BINARY, false);
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

}  // namespace vendrel::commands
