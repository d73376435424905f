// The combo box editor's own control: the choices as lines of a multi-line edit.
#include "commands/prompts/CComboBoxDlg.h"

#include "commands/prompts/CComboBoxDlgRes.h"

namespace vendrel::commands {

CComboBoxDlg::CComboBoxDlg(const CmdComboBox& command)
    : PromptEditorDlg({IDD_COMBO_BOX, IDC_COMBO_BOX_PROMPT, IDC_COMBO_BOX_VARIABLE,
                       IDC_COMBO_BOX_EDIT_VARIABLES},
                      L"CComboBoxDlg", command, {{"choices", IDC_COMBO_BOX_CHOICES}}) {}

}  // namespace vendrel::commands
