// The check-out editor's controls.
#include "commands/vault/CLockFileDlg.h"

#include "commands/vault/CLockFileDlgRes.h"

namespace vendrel::commands {

CLockFileDlg::CLockFileDlg(const CmdLockFile& command)
    : FieldsDlg(IDD_LOCK_FILE, L"CLockFileDlg", command,
                {{"path", IDC_LOCK_FILE_PATH, IDC_LOCK_FILE_PATH_MENU}}) {}

}  // namespace vendrel::commands
