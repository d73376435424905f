// The delete-file editor's controls: the path with its "->" button, and the vault check box.
#include "commands/files/CDeleteFileDlg.h"

#include "commands/files/CDeleteFileDlgRes.h"

namespace vendrel::commands {
namespace {

constexpr FieldControl kBound[] = {{"fromVault", IDC_DELETE_FILE_FROM_VAULT}};

}  // namespace

CDeleteFileDlg::CDeleteFileDlg(const CmdDeleteFile& command)
    : FieldsDlg(IDD_DELETE_FILE, L"CDeleteFileDlg", command,
                {{"path", IDC_DELETE_FILE_PATH, IDC_DELETE_FILE_PATH_MENU}}, kBound) {}

}  // namespace vendrel::commands
