// The get-file editor's controls: the radio index is the flag.
#include "commands/vault/CGetFileDlg.h"

#include "commands/vault/CGetFileDlgRes.h"

namespace vendrel::commands {
namespace {

constexpr FieldControl kBound[] = {{"alsoIfEarlier", IDC_GET_FILE_IF_MISSING,
                                    FieldControl::Kind::kRadios, IDC_GET_FILE_IF_EARLIER}};

}  // namespace

CGetFileDlg::CGetFileDlg(const CmdGetFile& command)
    : FieldsDlg(IDD_GET_FILE, L"CGetFileDlg", command,
                {{"path", IDC_GET_FILE_PATH, IDC_GET_FILE_PATH_MENU}}, kBound) {}

}  // namespace vendrel::commands
