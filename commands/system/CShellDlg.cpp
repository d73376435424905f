// The shell editor: command-line mode stores "/c LINE" for the system folder's Cmd.exe.
#include "commands/system/CShellDlg.h"

#include "commands/system/CShellDlgRes.h"

#include "commands/core/FieldControls.h"

namespace vendrel::commands {
namespace {

constexpr const wchar_t* kVerbs[] = {L"open", L"edit", L"print", L"explore"};
// The texts go where the mode puts them; only the flag has one place.
constexpr FieldControl kBound[] = {{"halt", IDC_SHELL_HALT}};

// The system folder's Cmd.exe; without the folder the shell looks for Cmd.exe itself.
std::wstring CommandProcessor(platform::Shell* shell) {
  std::wstring folder = shell ? shell->SystemFolder() : std::wstring();
  if (folder.empty()) return L"Cmd.exe";
  if (folder.back() != L'\\') folder += L'\\';
  return folder + L"Cmd.exe";
}

}  // namespace

std::wstring CommandLineOf(const std::wstring& parameters) {
  const std::size_t slash = parameters.find(L'/');
  const std::size_t c = slash == std::wstring::npos ? slash : parameters.find(L'c', slash + 1);
  if (c == std::wstring::npos) return parameters;
  return c + 2 < parameters.size() ? parameters.substr(c + 2) : std::wstring();
}

CShellDlg::CShellDlg(const CmdShell& command)
    : TextFieldsDlg(IDD_SHELL, L"CShellDlg", command,
                    {{IDC_SHELL_COMMAND_LINE, IDC_SHELL_COMMAND_LINE_MENU},
                     {IDC_SHELL_FILE, IDC_SHELL_FILE_MENU},
                     {IDC_SHELL_PARAMETERS, IDC_SHELL_PARAMETERS_MENU}},
                    true),
      fields_(command.Values()),
      shell_(command.Services() ? command.Services()->shell : nullptr) {}

void CShellDlg::OnInit() {
  TextFieldsDlg::OnInit();
  const bool commandLine = fields_.mode == CmdShell::kCommandLineMode;
  for (const wchar_t* verb : kVerbs) Ui().AddItem(IDC_SHELL_VERB, verb, 0);
  // Each mode shows the fields in its own controls and leaves the other mode's empty.
  if (commandLine) {
    Ui().SetText(IDC_SHELL_COMMAND_LINE, CommandLineOf(fields_.parameters));
  } else {
    Ui().SetText(IDC_SHELL_VERB, fields_.verb);
    Ui().SetText(IDC_SHELL_FILE, fields_.file);
    Ui().SetText(IDC_SHELL_PARAMETERS, fields_.parameters);
  }
  ShowFields(Ui(), fields_, kBound);
  Ui().CheckRadio(IDC_SHELL_COMMAND_LINE_MODE, IDC_SHELL_SHELL_MODE,
                  commandLine ? IDC_SHELL_COMMAND_LINE_MODE : IDC_SHELL_SHELL_MODE);
  EnableFor(commandLine);
}

void CShellDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event == platform::ControlEvent::kClicked &&
      (control == IDC_SHELL_COMMAND_LINE_MODE || control == IDC_SHELL_SHELL_MODE)) {
    // Keeps the pair exclusive where no dialog manager does.
    Ui().CheckRadio(IDC_SHELL_COMMAND_LINE_MODE, IDC_SHELL_SHELL_MODE, control);
    EnableFor(control == IDC_SHELL_COMMAND_LINE_MODE);
    return;
  }
  TextFieldsDlg::OnControl(control, event);
}

void CShellDlg::EnableFor(bool commandLine) {
  Ui().Enable(IDC_SHELL_COMMAND_LINE, commandLine);
  Ui().Enable(IDC_SHELL_VERB, !commandLine);
  Ui().Enable(IDC_SHELL_FILE, !commandLine);
  Ui().Enable(IDC_SHELL_PARAMETERS, !commandLine);
}

bool CShellDlg::OnOk() {
  const bool commandLine = Ui().IsChecked(IDC_SHELL_COMMAND_LINE_MODE);
  fields_.mode = commandLine ? CmdShell::kCommandLineMode : CmdShell::kShellMode;
  if (commandLine) {
    fields_.verb = L"Open";
    fields_.file = CommandProcessor(shell_);
    fields_.parameters = L"/c " + Ui().Text(IDC_SHELL_COMMAND_LINE);
  } else {
    fields_.verb = Ui().Text(IDC_SHELL_VERB);
    fields_.file = Ui().Text(IDC_SHELL_FILE);
    fields_.parameters = Ui().Text(IDC_SHELL_PARAMETERS);
  }
  TakeFields(Ui(), fields_, kBound);
  return true;
}

}  // namespace vendrel::commands
