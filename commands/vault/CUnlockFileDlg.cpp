// The check-in editor's controls.
#include "commands/vault/CUnlockFileDlg.h"

#include "commands/vault/CUnlockFileDlgRes.h"

namespace vendrel::commands {

CUnlockFileDlg::CUnlockFileDlg(const CmdUnlockFile& command)
    : FieldsDlg(IDD_UNLOCK_FILE, L"CUnlockFileDlg", command,
                {{"path", IDC_UNLOCK_FILE_PATH, IDC_UNLOCK_FILE_PATH_MENU},
                 {"comment", IDC_UNLOCK_FILE_COMMENT, IDC_UNLOCK_FILE_COMMENT_MENU}}) {}

}  // namespace vendrel::commands
