// The move-folder editor's controls.
#include "commands/files/CMoveFolderDlg.h"

namespace vendrel::commands {

CMoveFolderDlg::CMoveFolderDlg(const CmdMoveFolder& command)
    : TextFieldsDlg(kTemplate, L"CMoveFolderDlg", command,
                    {{338, 304, command.OldPath()}, {341, 306, command.NewPath()}}) {}

}  // namespace vendrel::commands
