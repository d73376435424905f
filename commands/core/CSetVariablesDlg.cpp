// The variable editor: rows, the selected variable's controls, the kind rules, checks, layout.
#include "commands/core/CSetVariablesDlg.h"

#include "commands/core/CSetVariablesDlgRes.h"
#include "commands/core/VariableKinds.h"
#include "host/Status.h"
#include "host/Strings.h"
#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::ControlEvent;

constexpr std::int32_t kNameColumn = 0;
constexpr std::int32_t kTypeColumn = 1;
constexpr std::int32_t kValueColumn = 2;
constexpr std::int32_t kExtraColumn = 3;
constexpr std::size_t kMaxNameLength = 256;

// Layout steps: a given edge moves; "move" keeps the size, "stretch" keeps the opposite edge.
void MoveRight(lexicor::CtrlRect& r, std::int32_t x) {
  r.left = x - (r.right - r.left);
  r.right = x;
}
void MoveTop(lexicor::CtrlRect& r, std::int32_t y) {
  r.bottom = y + (r.bottom - r.top);
  r.top = y;
}
void MoveBottom(lexicor::CtrlRect& r, std::int32_t y) {
  r.top = y - (r.bottom - r.top);
  r.bottom = y;
}

}  // namespace

CSetVariablesDlg::CSetVariablesDlg(const TypeTextMap& typeTexts, VariableList& variables,
                                   host::Ref<host::VaultSession> vault,
                                   platform::Services* services)
    : typeTexts_(typeTexts),
      variables_(variables),
      vault_(vault),
      services_(services),
      valueButton_(this, std::move(vault), IDC_SETVAR_VALUE) {
  valueButton_.Bind(IDC_SETVAR_VALUE_MENU);
}

std::int32_t CSetVariablesDlg::TemplateId() const {
  return IDD_SET_VARIABLES;
}

std::vector<std::int32_t> CSetVariablesDlg::SortedLists() const {
  return {IDC_SETVAR_TYPE, IDC_SETVAR_CARD};
}

void CSetVariablesDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CSetVariablesDlg", true, L"", L"", L"");
  filling_ = true;
  host::Ref<host::VariableManager> manager;
  std::vector<host::CardVariableInfo> cardVariables;
  if (vault_ && vault_->Variables(manager) == host::kOk && manager &&
      manager->Variables(cardVariables) == host::kOk) {
    for (const auto& variable : cardVariables) Ui().AddItem(IDC_SETVAR_CARD, variable.name, 0);
  }

  Ui().SetFullRowSelect(IDC_SETVAR_LIST);
  Ui().AddColumn(IDC_SETVAR_LIST, strings::Load(79, L"Name"), 100);
  Ui().AddColumn(IDC_SETVAR_LIST, strings::Load(80, L"Type"), 150);
  Ui().AddColumn(IDC_SETVAR_LIST, strings::Load(81, L"Value"), 170);
  Ui().AddColumn(IDC_SETVAR_LIST, strings::Load(82, L"Extra"), 0);
  for (const auto& variable : variables_) {
    const auto text = typeTexts_.find(variable->type);
    const std::int32_t row = Ui().InsertRow(IDC_SETVAR_LIST, Ui().RowCount(IDC_SETVAR_LIST),
                                            variable->name, variable->type);
    Ui().SetCell(IDC_SETVAR_LIST, row, kTypeColumn,
                 text == typeTexts_.end() ? std::wstring() : text->second);
    Ui().SetCell(IDC_SETVAR_LIST, row, kValueColumn, variable->value);
    Ui().SetCell(IDC_SETVAR_LIST, row, kExtraColumn, variable->extra);
  }
  for (const auto& [type, text] : typeTexts_) Ui().AddItem(IDC_SETVAR_TYPE, text, type);
  filling_ = false;
  FillFromRow();
}

void CSetVariablesDlg::OnControl(std::int32_t control, ControlEvent event) {
  switch (control) {
    case IDC_SETVAR_LIST:
      if (event == ControlEvent::kSelectionChanged) FillFromRow();
      break;
    case IDC_SETVAR_NAME:
      if (event == ControlEvent::kTextChanged) WriteCell(control, kNameColumn);
      break;
    case IDC_SETVAR_VALUE:
      if (event == ControlEvent::kTextChanged) WriteCell(control, kValueColumn);
      break;
    case IDC_SETVAR_EXTRA:
      if (event == ControlEvent::kTextChanged) WriteCell(control, kExtraColumn);
      break;
    case IDC_SETVAR_TYPE:
      if (event == ControlEvent::kSelectionChanged && !filling_) ChooseType();
      break;
    case IDC_SETVAR_CARD:
      if (event == ControlEvent::kSelectionChanged && !filling_ && SelectedRow() >= 0) {
        Ui().SetCell(IDC_SETVAR_LIST, SelectedRow(), kValueColumn, Ui().Text(IDC_SETVAR_CARD));
      }
      break;
    case IDC_SETVAR_ADD:
      if (event == ControlEvent::kClicked) AddRow();
      break;
    case IDC_SETVAR_REMOVE:
      if (event == ControlEvent::kClicked && SelectedRow() >= 0)
        Ui().DeleteRow(IDC_SETVAR_LIST, SelectedRow());
      break;
    case IDC_SETVAR_VALUE_MENU:
      if (event == ControlEvent::kClicked) valueButton_.OnClicked(Ui(), services_);
      break;
    default:
      break;
  }
}

std::int32_t CSetVariablesDlg::SelectedRow() const {
  const auto rows = Ui().SelectedRows(IDC_SETVAR_LIST);
  return rows.empty() ? -1 : rows.front();
}

void CSetVariablesDlg::FillFromRow() {
  const std::int32_t row = SelectedRow();
  filling_ = true;
  if (row < 0) {
    Ui().SelectItem(IDC_SETVAR_TYPE, -1);
    for (std::int32_t id : {IDC_SETVAR_NAME, IDC_SETVAR_TYPE, IDC_SETVAR_VALUE, IDC_SETVAR_EXTRA})
      Ui().Enable(id, false);
    filling_ = false;
    return;
  }
  const auto type = static_cast<Variable::VariableType>(Ui().RowData(IDC_SETVAR_LIST, row));
  Ui().Enable(IDC_SETVAR_NAME, true);
  Ui().Enable(IDC_SETVAR_TYPE, true);
  Ui().SetText(IDC_SETVAR_NAME, Ui().Cell(IDC_SETVAR_LIST, row, kNameColumn));
  Ui().SelectItem(IDC_SETVAR_TYPE, -1);
  for (std::int32_t i = 0; i < Ui().ItemCount(IDC_SETVAR_TYPE); ++i) {
    if (Ui().ItemData(IDC_SETVAR_TYPE, i) == type) Ui().SelectItem(IDC_SETVAR_TYPE, i);
  }
  const std::wstring value = Ui().Cell(IDC_SETVAR_LIST, row, kValueColumn);
  Ui().SetText(IDC_SETVAR_VALUE, value);
  if (type == Variable::kCardValue) {
    Ui().SelectItem(IDC_SETVAR_CARD, -1);
    for (std::int32_t i = 0; i < Ui().ItemCount(IDC_SETVAR_CARD); ++i) {
      if (Ui().ItemText(IDC_SETVAR_CARD, i) == value) Ui().SelectItem(IDC_SETVAR_CARD, i);
    }
  }
  Ui().SetText(IDC_SETVAR_EXTRA, Ui().Cell(IDC_SETVAR_LIST, row, kExtraColumn));
  ApplyTypeRules(type);
  filling_ = false;
}

void CSetVariablesDlg::ApplyTypeRules(Variable::VariableType type) {
  const bool card = type == Variable::kCardValue;
  const bool typed = type == Variable::kStaticText || type == Variable::kEnvironment ||
                     type == Variable::kRegistry || card;
  const bool menu = type == Variable::kStaticText || type == Variable::kEnvironment;
  std::wstring label;
  if (type == Variable::kStaticText) label = strings::Load(86, L"Value :");
  if (type == Variable::kEnvironment) label = strings::Load(87, L"Environment variable :");
  if (type == Variable::kRegistry) label = strings::Load(88, L"Registry variable :");
  if (card) label = strings::Load(89, L"Data card variable :");

  Ui().Enable(IDC_SETVAR_VALUE, typed);
  Ui().Show(IDC_SETVAR_VALUE, !card);
  Ui().SetText(IDC_SETVAR_VALUE_LABEL, label);
  Ui().Show(IDC_SETVAR_CARD, card);
  Ui().Show(IDC_SETVAR_VALUE_MENU, menu);
  valueButton_.SetMode(type == Variable::kEnvironment ? CMenuButton::kEnvironmentMode : 0);
  Ui().Enable(IDC_SETVAR_EXTRA, card);
  Ui().SetText(IDC_SETVAR_EXTRA_LABEL, card ? strings::Load(85, L"Configuration") : L"");
  if (!typed) {
    Ui().SetText(IDC_SETVAR_VALUE, L"");
    if (const std::int32_t row = SelectedRow(); row >= 0)
      Ui().SetCell(IDC_SETVAR_LIST, row, kValueColumn, L"");
  }
  OnSize(Ui().Client());
}

void CSetVariablesDlg::WriteCell(std::int32_t control, std::int32_t column) {
  const std::int32_t row = SelectedRow();
  if (filling_ || writing_ || row < 0) return;
  writing_ = true;
  std::wstring text = Ui().Text(control);
  if (column == kNameColumn && text.size() > kMaxNameLength) text.resize(kMaxNameLength);
  Ui().SetCell(IDC_SETVAR_LIST, row, column, text);
  writing_ = false;
}

void CSetVariablesDlg::ChooseType() {
  const std::int32_t row = SelectedRow();
  const std::int32_t item = Ui().SelectedItem(IDC_SETVAR_TYPE);
  if (row < 0 || item < 0) return;
  const auto type = static_cast<Variable::VariableType>(Ui().ItemData(IDC_SETVAR_TYPE, item));
  Ui().SetCell(IDC_SETVAR_LIST, row, kTypeColumn, Ui().ItemText(IDC_SETVAR_TYPE, item));
  Ui().SetRowData(IDC_SETVAR_LIST, row, type);
  ApplyTypeRules(type);
}

void CSetVariablesDlg::AddRow() {
  const std::int32_t row =
      Ui().InsertRow(IDC_SETVAR_LIST, Ui().RowCount(IDC_SETVAR_LIST),
                     strings::Load(83, L"New variable"), Variable::kStaticText);
  const auto text = typeTexts_.find(Variable::kStaticText);
  Ui().SetCell(IDC_SETVAR_LIST, row, kTypeColumn,
               text == typeTexts_.end() ? std::wstring() : text->second);
  Ui().SetCell(IDC_SETVAR_LIST, row, kValueColumn, strings::Load(84, L"New value"));
  for (std::int32_t other : Ui().SelectedRows(IDC_SETVAR_LIST)) {
    if (other != row) Ui().SelectRow(IDC_SETVAR_LIST, other, false);
  }
  Ui().SelectRow(IDC_SETVAR_LIST, row, true);
  for (std::int32_t id : {IDC_SETVAR_NAME, IDC_SETVAR_TYPE, IDC_SETVAR_VALUE})
    Ui().Enable(id, true);
}

bool CSetVariablesDlg::Refuse(std::int32_t messageId, const wchar_t* english,
                              const std::wstring& name) {
  miMessageBox(strings::Fill(strings::Load(messageId, english), {name}).c_str(), L"Vendrel",
               platform::mb::kOk | platform::mb::kIconError);
  return false;
}

bool CSetVariablesDlg::WriteBack(bool check) {
  const std::int32_t rows = Ui().RowCount(IDC_SETVAR_LIST);
  if (check) {
    for (std::int32_t row = 0; row < rows; ++row) {
      const std::wstring name = Ui().Cell(IDC_SETVAR_LIST, row, kNameColumn);
      const std::wstring folded = platform::UpperCase(name);
      for (std::int32_t earlier = 0; earlier < row; ++earlier) {
        if (platform::UpperCase(Ui().Cell(IDC_SETVAR_LIST, earlier, kNameColumn)) == folded) {
          return Refuse(134, L"The variable name '%s' already exists, please rename it.", name);
        }
      }
      for (const VariableKind& kind : VariableKinds()) {
        if (!kind.builtInName.empty() &&
            platform::UpperCase(std::wstring(kind.builtInName)) == folded) {
          return Refuse(
              135,
              L"The variable name '%s' already exists as a standard variable, please rename it.",
              name);
        }
      }
    }
  }
  variables_.clear();
  for (std::int32_t row = 0; row < rows; ++row) {
    variables_.push_back(std::make_unique<Variable>(
        Ui().Cell(IDC_SETVAR_LIST, row, kNameColumn),
        static_cast<Variable::VariableType>(Ui().RowData(IDC_SETVAR_LIST, row)),
        Ui().Cell(IDC_SETVAR_LIST, row, kValueColumn),
        Ui().Cell(IDC_SETVAR_LIST, row, kExtraColumn)));
  }
  return true;
}

void CSetVariablesDlg::OnSize(platform::ClientSize client) {
  if (!mbIsStrWndInitialized()) return;
  const std::int32_t w = client.width;
  const std::int32_t h = client.height;
  const std::int32_t g = h - 180;
  const auto place = [this](std::int32_t id, auto&& change) {
    lexicor::CtrlRect r = moGetCtrlPos(id);
    change(r);
    mvSetCtrlPos(id, r, 0);
  };
  for (std::int32_t id : {IDC_SETVAR_ADD, IDC_SETVAR_REMOVE})
    place(id, [w](auto& r) { MoveRight(r, w - 10); });
  const std::pair<std::int32_t, std::int32_t> buttons[] = {
      {platform::kIdOk, 60}, {platform::kIdCancel, 35}, {platform::kIdHelp, 10}};
  for (const auto& button : buttons) {
    const std::int32_t fromBottom = button.second;  // clang 14 captures no structured binding
    place(button.first, [w, h, fromBottom](auto& r) {
      MoveRight(r, w - 10);
      MoveBottom(r, h - fromBottom);
    });
  }
  place(IDC_SETVAR_LIST, [w, h](auto& r) {
    r.right = w - 95;
    r.bottom = h - 200;
  });
  place(IDC_SETVAR_GROUP, [w, h, g](auto& r) {
    r.top = g;
    r.bottom = h - 10;
    r.right = w - 95;
  });
  for (std::int32_t id : {IDC_SETVAR_NAME_LABEL, IDC_SETVAR_TYPE_LABEL})
    place(id, [g](auto& r) { MoveTop(r, g + 20); });
  place(IDC_SETVAR_NAME, [g](auto& r) { MoveTop(r, g + 37); });
  place(IDC_SETVAR_TYPE, [w, g](auto& r) {
    MoveTop(r, g + 37);
    r.right = w - 105;
  });
  place(IDC_SETVAR_VALUE_LABEL, [g](auto& r) { MoveTop(r, g + 67); });
  const bool menu = Ui().IsShown(IDC_SETVAR_VALUE_MENU);
  place(IDC_SETVAR_VALUE, [w, g, menu](auto& r) {
    MoveTop(r, g + 84);
    r.right = w - (menu ? 130 : 105);
  });
  place(IDC_SETVAR_CARD, [w, g](auto& r) {
    MoveTop(r, g + 84);
    r.right = w - 105;
  });
  place(IDC_SETVAR_VALUE_MENU, [w, g](auto& r) {
    MoveTop(r, g + 84);
    MoveRight(r, w - 105);
  });
  place(IDC_SETVAR_EXTRA_LABEL, [g](auto& r) { MoveTop(r, g + 114); });
  place(IDC_SETVAR_EXTRA, [w, g](auto& r) {
    MoveTop(r, g + 131);
    r.right = w - 105;
  });
  Ui().Redraw();
}

}  // namespace vendrel::commands
