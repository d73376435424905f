// The copy-file editor's controls.
#include "commands/files/CCopyFileDlg.h"

#include "commands/files/CCopyFileDlgRes.h"

namespace vendrel::commands {

CCopyFileDlg::CCopyFileDlg(const CmdCopyFile& command)
    : FieldsDlg(IDD_COPY_FILE, L"CCopyFileDlg", command,
                {{"from", IDC_COPY_FILE_SOURCE, IDC_COPY_FILE_SOURCE_MENU},
                 {"to", IDC_COPY_FILE_DESTINATION, IDC_COPY_FILE_DESTINATION_MENU}}) {}

}  // namespace vendrel::commands
