// The set-card-variables editor: paths enabled by the kind of target, the value checked against
// the card variable's type unless it holds variables.
#include "commands/vault/CSetCardVariablesDlg.h"

#include <cstdio>

#include "commands/core/FieldControls.h"
#include "commands/vault/CSetCardVariablesDlgRes.h"
#include "commands/vault/CardValue.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

constexpr std::int32_t kPathLimit = 260;
constexpr std::size_t kNameLimit = 256;
constexpr std::int32_t kVariableIcon = 436;

struct PathControls {
  std::int32_t radio;
  std::int32_t edit;
  std::int32_t menu;
};
// Index = item kind.
constexpr std::array<PathControls, 3> kKinds{{
    {IDC_SET_CARD_SELECTED_FILE, 0, 0},
    {IDC_SET_CARD_FILE_WITH_PATH, IDC_SET_CARD_FILE_PATH, IDC_SET_CARD_FILE_PATH_MENU},
    {IDC_SET_CARD_FOLDER_WITH_PATH, IDC_SET_CARD_FOLDER_PATH, IDC_SET_CARD_FOLDER_PATH_MENU},
}};

// The variable's name and type are one entry of a list, and the configurations are trimmed
// lines: those are copied here.
constexpr FieldControl kBound[] = {
    {"item", IDC_SET_CARD_SELECTED_FILE, FieldControl::Kind::kRadios,
     IDC_SET_CARD_FOLDER_WITH_PATH},
    {"filePath", IDC_SET_CARD_FILE_PATH},
    {"folderPath", IDC_SET_CARD_FOLDER_PATH},
    {"value", IDC_SET_CARD_VALUE},
};

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\r\n") + line;
  return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    if (std::wstring line = Trimmed(text.substr(start, end - start)); !line.empty())
      lines.push_back(std::move(line));
    start = end + 2;
  }
  return lines;
}

}  // namespace

CSetCardVariablesDlg::CSetCardVariablesDlg(const CmdSetCardVar& command)
    : fields_(command.Values()), vault_(command.Vault()), services_(command.Services()) {
  const std::array<std::pair<std::int32_t, std::int32_t>, 3> fields{{
      {IDC_SET_CARD_FILE_PATH, IDC_SET_CARD_FILE_PATH_MENU},
      {IDC_SET_CARD_FOLDER_PATH, IDC_SET_CARD_FOLDER_PATH_MENU},
      {IDC_SET_CARD_VALUE, IDC_SET_CARD_VALUE_MENU},
  }};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    buttons_.emplace_back(command.Owner(), vault_, fields[i].first, &patterns_[i]);
    buttons_.back().Bind(fields[i].second);
  }
}

std::int32_t CSetCardVariablesDlg::TemplateId() const {
  return IDD_SET_CARD_VARIABLES;
}

void CSetCardVariablesDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CSetCardVariablesDlg", false, L"", L"", L"");
  const glyphex::DataExchange exchange{Ui().Handle()};
  patterns_[0].mvDDX_Control(exchange, IDC_SET_CARD_FILE_PATH);
  patterns_[1].mvDDX_Control(exchange, IDC_SET_CARD_FOLDER_PATH);
  patterns_[2].mvDDX_Control(exchange, IDC_SET_CARD_VALUE);
  for (std::int32_t edit : {IDC_SET_CARD_FILE_PATH, IDC_SET_CARD_FOLDER_PATH, IDC_SET_CARD_VALUE})
    Ui().LimitText(edit, kPathLimit);
  FillVariables();
  SelectStoredVariable();
  Ui().SetText(IDC_SET_CARD_CONFIGURATIONS, Joined(fields_.configurations));
  ShowFields(Ui(), fields_, kBound);
  EnablePaths(fields_.itemKind, false);
}

void CSetCardVariablesDlg::FillVariables() {
  if (!vault_) {
    Ui().ShowMessage(strings::Load(176, L"Unexpected error."), L"Vendrel",
                     platform::mb::kIconExclamation);
    return;
  }
  host::Ref<host::VariableManager> manager;
  std::vector<host::CardVariableInfo> variables;
  host::HResult hr = vault_->Variables(manager);
  if (host::Succeeded(hr)) hr = manager ? manager->Variables(variables) : host::kPointer;
  if (host::Failed(hr)) {
    Ui().ShowMessage(strings::Load(176, L"Unexpected error.") + L" [" + strings::HexCode(hr) + L"]",
                     L"Vendrel", platform::mb::kIconExclamation);
    return;
  }
  for (const host::CardVariableInfo& variable : variables)
    Ui().AddItem(IDC_SET_CARD_VARIABLE, variable.name, variable.type);
  Ui().SetItemIcon(IDC_SET_CARD_VARIABLE, kVariableIcon);
}

void CSetCardVariablesDlg::SelectStoredVariable() {
  const std::int32_t count = Ui().ItemCount(IDC_SET_CARD_VARIABLE);
  if (fields_.variableName.empty()) {
    if (count == 0) return;
    Ui().SelectItem(IDC_SET_CARD_VARIABLE, 0);
    fields_.variableName = Ui().ItemText(IDC_SET_CARD_VARIABLE, 0);
    fields_.variableType = static_cast<std::int32_t>(Ui().ItemData(IDC_SET_CARD_VARIABLE, 0));
    return;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    if (Trimmed(Ui().ItemText(IDC_SET_CARD_VARIABLE, i)) == fields_.variableName &&
        Ui().ItemData(IDC_SET_CARD_VARIABLE, i) == fields_.variableType) {
      Ui().SelectItem(IDC_SET_CARD_VARIABLE, i);
      return;
    }
  }
  Ui().SelectItem(IDC_SET_CARD_VARIABLE, -1);
}

void CSetCardVariablesDlg::EnablePaths(std::int32_t kind, bool clearDisabled) {
  for (std::size_t k = 1; k < kKinds.size(); ++k) {
    const bool enabled = static_cast<std::int32_t>(k) == kind;
    Ui().Enable(kKinds[k].edit, enabled);
    Ui().Enable(kKinds[k].menu, enabled);
    if (!enabled && clearDisabled) Ui().SetText(kKinds[k].edit, L"");
  }
}

void CSetCardVariablesDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClicked) return;
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    if (kKinds[k].radio != control) continue;
    Ui().CheckRadio(IDC_SET_CARD_SELECTED_FILE, IDC_SET_CARD_FOLDER_WITH_PATH, control);
    EnablePaths(static_cast<std::int32_t>(k), true);
  }
  for (CMenuButton& button : buttons_) {
    if (button.ButtonId() == control) button.OnClicked(Ui(), services_);
  }
}

void CSetCardVariablesDlg::Refuse(const std::wstring& message) {
  Ui().ShowMessage(message, L"Vendrel", platform::mb::kIconError);
}

bool CSetCardVariablesDlg::OnOk() {
  CmdSetCardVar::Fields taken = fields_;
  TakeFields(Ui(), taken, kBound);
  for (std::wstring* text : {&taken.filePath, &taken.folderPath, &taken.value})
    *text = Trimmed(*text);
  if (taken.itemKind == CmdSetCardVar::kFileWithPath && taken.filePath.empty()) {
    Refuse(strings::Load(173, L"You must enter a path to the target file."));
    return false;
  }
  if (taken.itemKind == CmdSetCardVar::kFolderWithPath && taken.folderPath.empty()) {
    Refuse(strings::Load(174, L"You must enter a path to the target folder."));
    return false;
  }
  const std::int32_t selected = Ui().SelectedItem(IDC_SET_CARD_VARIABLE);
  taken.variableName.clear();
  taken.variableType = 0;
  if (selected >= 0) {
    taken.variableName =
        Trimmed(Ui().ItemText(IDC_SET_CARD_VARIABLE, selected)).substr(0, kNameLimit);
    taken.variableType = static_cast<std::int32_t>(Ui().ItemData(IDC_SET_CARD_VARIABLE, selected));
  }
  // A value with variables is known only when the command runs. A type outside 1 to 5 has
  // nothing to be checked against.
  host::Value converted;
  if (taken.value.find(L'%') == std::wstring::npos && host::IsCardType(taken.variableType) &&
      host::Failed(ConvertCardValue(taken.value, taken.variableType, converted))) {
    Refuse(strings::Load(175, L"Error, value entered doesn't match target variable type."));
    return false;
  }
  taken.configurations = Lines(Ui().Text(IDC_SET_CARD_CONFIGURATIONS));
  fields_ = std::move(taken);
  return true;
}

}  // namespace vendrel::commands
