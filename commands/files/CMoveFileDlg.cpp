// The move-file editor's controls.
#include "commands/files/CMoveFileDlg.h"

namespace vendrel::commands {

CMoveFileDlg::CMoveFileDlg(const CmdMoveFile& command)
    : TextFieldsDlg(kTemplate, L"CMoveFileDlg", command,
                    {{345, 304, command.Source()}, {347, 306, command.NewName()}}) {}

}  // namespace vendrel::commands
