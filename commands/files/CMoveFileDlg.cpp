// The move-file editor's controls.
#include "commands/files/CMoveFileDlg.h"

#include "commands/files/CMoveFileDlgRes.h"

namespace vendrel::commands {

CMoveFileDlg::CMoveFileDlg(const CmdMoveFile& command)
    : FieldsDlg(IDD_MOVE_FILE, L"CMoveFileDlg", command,
                {{"from", IDC_MOVE_FILE_SOURCE, IDC_MOVE_FILE_SOURCE_MENU},
                 {"newName", IDC_MOVE_FILE_NEW_NAME, IDC_MOVE_FILE_NEW_NAME_MENU}}) {}

}  // namespace vendrel::commands
