// The edit-action dialog: activation boxes, condition dialogs, the command rows and their moves.
#include "admin/CEditActionDlg.h"

#include <algorithm>
#include <array>

#include "admin/CEditActionDlgRes.h"
#include "admin/CSelectCmdDlg.h"
#include "admin/ConditionDlgs.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CmdSetVar.h"
#include "commands/core/LabelList.h"
#include "host/Strings.h"

namespace vendrel::admin {
namespace {

using platform::ControlEvent;

constexpr std::int32_t kNameColumn = 0;
constexpr std::int32_t kSummaryColumn = 1;

// An activation box, its bit and the control it enables.
struct Activation {
  std::int32_t box;
  std::int32_t bit;
  std::int32_t companion;
};
constexpr std::array<Activation, 4> kActivations{{
    {IDC_EDIT_ACTION_MENU, actions::kActivateByMenu, IDC_EDIT_ACTION_MENU_TEXT},
    {IDC_EDIT_ACTION_STATE, actions::kActivateOnStateChange, IDC_EDIT_ACTION_STATE_CONDITIONS},
    {IDC_EDIT_ACTION_CHECK_OUT, actions::kActivateOnCheckOut, IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS},
    {IDC_EDIT_ACTION_ADD_KIND, actions::kActivateOnAdd, IDC_EDIT_ACTION_ADD_CONDITIONS},
}};

constexpr std::array<std::int32_t, 4> kListButtons{IDC_EDIT_ACTION_REMOVE, IDC_EDIT_ACTION_EDIT,
                                                   IDC_EDIT_ACTION_UP, IDC_EDIT_ACTION_DOWN};

// How a control follows the client size: its right edge `right` pixels from the client's right,
// its bottom `bottom` from the client's bottom (kKeep: stays). A moving control keeps its size, a
// stretching one its left and top.
constexpr std::int32_t kKeep = -1;
struct Anchor {
  std::int32_t id;
  bool moves;
  std::int32_t right;
  std::int32_t bottom;
};
constexpr std::array<Anchor, 14> kLayout{{
    {IDC_EDIT_ACTION_ADD, true, 10, kKeep},
    {IDC_EDIT_ACTION_REMOVE, true, 10, kKeep},
    {IDC_EDIT_ACTION_EDIT, true, 10, kKeep},
    {IDC_EDIT_ACTION_UP, true, 10, kKeep},
    {IDC_EDIT_ACTION_DOWN, true, 10, kKeep},
    {IDC_EDIT_ACTION_VARIABLES, true, 10, kKeep},
    {platform::kIdOk, true, 10, 60},
    {platform::kIdCancel, true, 10, 35},
    {platform::kIdHelp, true, 10, 10},
    {IDC_EDIT_ACTION_LIST, false, 95, 10},
    {IDC_EDIT_ACTION_NAME, false, 10, kKeep},
    {IDC_EDIT_ACTION_DESCRIPTION, false, 10, kKeep},
    {IDC_EDIT_ACTION_GROUP, false, 10, kKeep},
    {IDC_EDIT_ACTION_MENU_TEXT, false, 20, kKeep},
}};

bool Contiguous(const std::vector<std::int32_t>& rows) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i] != rows[i - 1] + 1) return false;
  }
  return true;
}

}  // namespace

CEditActionDlg::CEditActionDlg(actions::Action& action, host::Ref<host::VaultSession> vault,
                               platform::Services* services)
    : action_(action), vault_(std::move(vault)), services_(services) {}

CEditActionDlg::~CEditActionDlg() {
  if (accepted_) return;
  for (const auto& command : action_.commands) {
    if (command) command->SetRemoved(false);
  }
}

std::int32_t CEditActionDlg::TemplateId() const {
  return IDD_EDIT_ACTION;
}

void CEditActionDlg::OnInit() {
  labels_.Clear();
  mbInitStrWnd(&Ui(), L"CEditActionDlg", true, L"", L"", L"");
  Ui().SetFullRowSelect(IDC_EDIT_ACTION_LIST);
  Ui().AddColumn(IDC_EDIT_ACTION_LIST, strings::Load(12, L"Type"), 150);
  Ui().AddColumn(IDC_EDIT_ACTION_LIST, strings::Load(13, L"Content"), 600);
  // A new action starts with every activation off. An old one without a name still shows its
  // commands, so that OK cannot lose them.
  const bool isNew = action_.name.empty();
  if (!isNew) {
    Ui().SetText(IDC_EDIT_ACTION_NAME, action_.name);
    Ui().SetText(IDC_EDIT_ACTION_DESCRIPTION, action_.description);
    if ((action_.activationKinds & actions::kActivateByMenu) != 0)
      Ui().SetText(IDC_EDIT_ACTION_MENU_TEXT, action_.menuText);
  }
  for (const Activation& activation : kActivations) {
    const bool on = !isNew && (action_.activationKinds & activation.bit) != 0;
    Ui().SetChecked(activation.box, on);
    Ui().Enable(activation.companion, on);
  }
  for (const auto& command : action_.commands) {
    if (!command) continue;
    InsertRow(RowCount(), *command);
    if (command->TypeId() == commands::kLabelType && !command->Summary().empty())
      labels_.Add(command->Summary());
  }
  for (std::int32_t id : kListButtons) Ui().Enable(id, false);
  OnSize(Ui().Client());
}

void CEditActionDlg::OnControl(std::int32_t control, ControlEvent event) {
  if (control == IDC_EDIT_ACTION_LIST) {
    if (event == ControlEvent::kClicked) UpdateListButtons();
    if (event == ControlEvent::kDoubleClicked) EditCommand();
    return;
  }
  if (event != ControlEvent::kClicked) return;
  for (const Activation& activation : kActivations) {
    if (control == activation.box) Ui().Enable(activation.companion, Ui().IsChecked(control));
  }
  switch (control) {
    case IDC_EDIT_ACTION_ADD:
      AddCommand();
      break;
    case IDC_EDIT_ACTION_EDIT:
      EditCommand();
      break;
    case IDC_EDIT_ACTION_REMOVE:
      RemoveCommands();
      break;
    case IDC_EDIT_ACTION_UP:
    case IDC_EDIT_ACTION_DOWN:
      MoveBlock(control == IDC_EDIT_ACTION_UP);
      break;
    case IDC_EDIT_ACTION_VARIABLES:
      EditVariables();
      break;
    case IDC_EDIT_ACTION_STATE_CONDITIONS:
    case IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS:
    case IDC_EDIT_ACTION_ADD_CONDITIONS:
      EditConditions(control);
      break;
    default:
      break;
  }
}

void CEditActionDlg::InsertRow(std::int32_t row, commands::Cmd& command) {
  const std::int32_t at = Ui().InsertRow(IDC_EDIT_ACTION_LIST, row, command.GetName(), 0);
  Ui().SetCell(IDC_EDIT_ACTION_LIST, at, kSummaryColumn, command.Summary());
  rows_.insert(rows_.begin() + at, &command);
}

void CEditActionDlg::DeleteRow(std::int32_t row) {
  Ui().DeleteRow(IDC_EDIT_ACTION_LIST, row);
  rows_.erase(rows_.begin() + row);
}

void CEditActionDlg::UpdateListButtons() {
  const auto rows = Ui().SelectedRows(IDC_EDIT_ACTION_LIST);
  const bool block = !rows.empty() && Contiguous(rows);
  Ui().Enable(IDC_EDIT_ACTION_REMOVE, block);
  Ui().Enable(IDC_EDIT_ACTION_UP, block);
  Ui().Enable(IDC_EDIT_ACTION_DOWN, block);
  Ui().Enable(IDC_EDIT_ACTION_EDIT, block && rows.size() == 1);
}

bool CEditActionDlg::RunEditor(commands::Cmd& command) {
  command.SetVault(vault_.Get());
  command.SetServices(services_);
  // The labels live as long as this dialog, the command longer.
  command.SetLabels(&labels_);
  const bool confirmed = command.Edit(Ui().Handle());
  command.SetLabels(nullptr);
  return confirmed;
}

void CEditActionDlg::AddCommand() {
  if (!services_ || !services_->dialogs) return;
  CSelectCmdDlg select;
  if (services_->dialogs->Run(select, Ui().Handle()) != platform::kIdOk) return;
  std::unique_ptr<commands::Cmd> command = commands::CreateCmd(select.TypeId(), &action_);
  if (!command) return;
  if (!RunEditor(*command)) return;
  const auto rows = Ui().SelectedRows(IDC_EDIT_ACTION_LIST);
  InsertRow(rows.empty() ? RowCount() : rows.front() + 1, *command);
  added_.push_back(std::move(command));
}

void CEditActionDlg::EditCommand() {
  const auto rows = Ui().SelectedRows(IDC_EDIT_ACTION_LIST);
  if (rows.empty()) return;
  commands::Cmd& command = *rows_[static_cast<std::size_t>(rows.front())];
  RunEditor(command);
  Ui().SetCell(IDC_EDIT_ACTION_LIST, rows.front(), kSummaryColumn, command.Summary());
}

void CEditActionDlg::RemoveCommands() {
  const auto rows = Ui().SelectedRows(IDC_EDIT_ACTION_LIST);
  for (std::int32_t row : rows) {
    commands::Cmd& command = *rows_[static_cast<std::size_t>(row)];
    command.SetRemoved(true);
    if (command.TypeId() == commands::kLabelType) labels_.RemoveFirst(command.Summary());
  }
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) DeleteRow(*row);
}

void CEditActionDlg::MoveBlock(bool up) {
  // A keyboard selection updates no buttons, so the block is checked here too.
  const auto rows = Ui().SelectedRows(IDC_EDIT_ACTION_LIST);
  if (rows.empty() || !Contiguous(rows)) return;
  const std::int32_t first = rows.front();
  const auto count = static_cast<std::int32_t>(rows.size());
  if (up ? first == 0 : first + count >= RowCount()) return;
  const std::vector<commands::Cmd*> block(rows_.begin() + first, rows_.begin() + first + count);
  for (std::int32_t i = 0; i < count; ++i) DeleteRow(first);
  const std::int32_t start = up ? first - 1 : first + 1;
  Ui().Focus(IDC_EDIT_ACTION_LIST);
  for (std::int32_t i = 0; i < count; ++i) {
    InsertRow(start + i, *block[static_cast<std::size_t>(i)]);
    Ui().SelectRow(IDC_EDIT_ACTION_LIST, start + i, true);
  }
}

void CEditActionDlg::EditVariables() {
  commands::CmdSetVar variables(&action_);
  RunEditor(variables);
}

void CEditActionDlg::EditConditions(std::int32_t button) {
  if (!services_ || !services_->dialogs) return;
  platform::DialogRunner& runner = *services_->dialogs;
  if (button == IDC_EDIT_ACTION_STATE_CONDITIONS) {
    CStateCondDlg dialog(action_.stateChangePath, action_.stateId, action_.stateChangeAfter,
                         vault_);
    runner.Run(dialog, Ui().Handle());
    action_.stateChangePath = dialog.Path();
    action_.stateId = dialog.StateId();
    action_.stateChangeAfter = dialog.RadioIndex() == kAfterIndex;
  } else if (button == IDC_EDIT_ACTION_CHECK_OUT_CONDITIONS) {
    CLockCondDlg dialog(action_.checkOutPath, action_.checkOutKind, action_.checkOutAfter);
    runner.Run(dialog, Ui().Handle());
    action_.checkOutPath = dialog.Path();
    action_.checkOutKind = dialog.Kind();
    action_.checkOutAfter = dialog.RadioIndex() == kAfterIndex;
  } else {
    CAddCondDlg dialog(action_.addPath, action_.addAfter);
    runner.Run(dialog, Ui().Handle());
    action_.addPath = dialog.Path();
    action_.addAfter = dialog.RadioIndex() == kAfterIndex;
  }
}

bool CEditActionDlg::OnOk() {
  const std::wstring name = Ui().Text(IDC_EDIT_ACTION_NAME);
  const std::wstring menuText = Ui().Text(IDC_EDIT_ACTION_MENU_TEXT);
  const std::wstring description = Ui().Text(IDC_EDIT_ACTION_DESCRIPTION);
  constexpr std::uint32_t kWarning = platform::mb::kOk | platform::mb::kIconExclamation;
  if (name.empty()) {
    miMessageBox(strings::Load(14, L"Name is missing").c_str(), L"Vendrel", kWarning);
    return false;
  }
  action_.name = name;
  action_.description = description;
  std::int32_t kinds = 0;
  if (Ui().IsChecked(IDC_EDIT_ACTION_MENU)) {
    if (menuText.empty()) {
      miMessageBox(strings::Load(15, L"Menu command is missing").c_str(), L"Vendrel", kWarning);
      return false;
    }
    action_.menuText = menuText;
    kinds |= actions::kActivateByMenu;
  }
  for (const Activation& activation : kActivations) {
    if (activation.bit != actions::kActivateByMenu && Ui().IsChecked(activation.box))
      kinds |= activation.bit;
  }
  action_.activationKinds = kinds;
  RebuildCommands();
  accepted_ = true;
  return true;
}

void CEditActionDlg::RebuildCommands() {
  std::vector<std::unique_ptr<commands::Cmd>> rebuilt;
  const auto take = [&rebuilt](std::vector<std::unique_ptr<commands::Cmd>>& from,
                               commands::Cmd* wanted) {
    const auto found = std::find_if(from.begin(), from.end(),
                                    [wanted](const auto& owned) { return owned.get() == wanted; });
    if (found == from.end()) return false;
    rebuilt.push_back(std::move(*found));
    from.erase(found);
    return true;
  };
  for (commands::Cmd* command : rows_) {
    if (!take(action_.commands.Items(), command)) take(added_, command);
  }
  // What is left was removed: no row shows it any more.
  action_.commands = std::move(rebuilt);
  added_.clear();
}

void CEditActionDlg::OnSize(platform::ClientSize client) {
  if (!mbIsStrWndInitialized()) return;
  for (const Anchor& anchor : kLayout) {
    lexicor::CtrlRect r = moGetCtrlPos(anchor.id);
    const std::int32_t width = r.right - r.left;
    const std::int32_t height = r.bottom - r.top;
    r.right = client.width - anchor.right;
    if (anchor.moves) r.left = r.right - width;
    if (anchor.bottom != kKeep) {
      r.bottom = client.height - anchor.bottom;
      if (anchor.moves) r.top = r.bottom - height;
    }
    mvSetCtrlPos(anchor.id, r, 0);
  }
  Ui().Redraw();
}

}  // namespace vendrel::admin
