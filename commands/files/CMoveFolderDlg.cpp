// The move-folder editor's controls.
#include "commands/files/CMoveFolderDlg.h"

#include "commands/files/CMoveFolderDlgRes.h"

namespace vendrel::commands {

CMoveFolderDlg::CMoveFolderDlg(const CmdMoveFolder& command)
    : FieldsDlg(IDD_MOVE_FOLDER, L"CMoveFolderDlg", command,
                {{"from", IDC_MOVE_FOLDER_OLD, IDC_MOVE_FOLDER_OLD_MENU},
                 {"to", IDC_MOVE_FOLDER_NEW, IDC_MOVE_FOLDER_NEW_MENU}}) {}

}  // namespace vendrel::commands
