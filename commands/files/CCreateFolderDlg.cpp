// The create-folder editor's controls.
#include "commands/files/CCreateFolderDlg.h"

namespace vendrel::commands {

CCreateFolderDlg::CCreateFolderDlg(const CmdCreateFolder& command)
    : TextFieldsDlg(kTemplate, L"CCreateFolderDlg", command, {{343, 302, command.Path()}}) {}

}  // namespace vendrel::commands
