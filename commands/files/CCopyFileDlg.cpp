// The copy-file editor's controls.
#include "commands/files/CCopyFileDlg.h"

namespace vendrel::commands {

CCopyFileDlg::CCopyFileDlg(const CmdCopyFile& command)
    : TextFieldsDlg(kTemplate, L"CCopyFileDlg", command,
                    {{348, 304, command.Source()}, {365, 306, command.Destination()}}) {}

}  // namespace vendrel::commands
