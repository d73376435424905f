// The create-folder editor's controls.
#include "commands/files/CCreateFolderDlg.h"

#include "commands/files/CCreateFolderDlgRes.h"

namespace vendrel::commands {

CCreateFolderDlg::CCreateFolderDlg(const CmdCreateFolder& command)
    : FieldsDlg(IDD_CREATE_FOLDER, L"CCreateFolderDlg", command,
                {{"path", IDC_CREATE_FOLDER_PATH, IDC_CREATE_FOLDER_PATH_MENU}}) {}

}  // namespace vendrel::commands
