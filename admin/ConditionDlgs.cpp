// The condition dialogs: path, after or before, and the state or the check-out kind.
#include "admin/ConditionDlgs.h"

#include "actions/Action.h"
#include "admin/ConditionDlgsRes.h"
#include "host/Status.h"
#include "host/Strings.h"

namespace vendrel::admin {
namespace {

std::int32_t RadioOf(bool after) {
  return after ? kAfterIndex : kBeforeIndex;
}

void ShowRadio(platform::DialogSurface& ui, std::int32_t after, std::int32_t before,
               std::int32_t index) {
  ui.CheckRadio(after, before, index == kAfterIndex ? after : before);
}

// A click on either radio button checks it alone, as the group's buttons do on Windows.
void FollowRadio(platform::DialogSurface& ui, std::int32_t after, std::int32_t before,
                 std::int32_t control, platform::ControlEvent event) {
  if (event == platform::ControlEvent::kClicked && (control == after || control == before))
    ui.CheckRadio(after, before, control);
}

std::int32_t ReadRadio(const platform::DialogSurface& ui, std::int32_t after) {
  return ui.IsChecked(after) ? kAfterIndex : kBeforeIndex;
}

// A vault without workflows, or one whose workflows cannot be read, offers no state.
std::vector<host::WorkflowInfo> WorkflowsOf(host::VaultSession* vault) {
  host::Ref<host::WorkflowManager> manager;
  std::vector<host::WorkflowInfo> workflows;
  if (!vault || host::Failed(vault->Workflows(manager)) || !manager ||
      host::Failed(manager->Workflows(workflows))) {
    return {};
  }
  return workflows;
}

}  // namespace

CStateCondDlg::CStateCondDlg(std::wstring path, std::int32_t stateId, bool after,
                             host::Ref<host::VaultSession> vault)
    : path_(std::move(path)), stateId_(stateId), radio_(RadioOf(after)), vault_(std::move(vault)) {}

std::int32_t CStateCondDlg::TemplateId() const {
  return IDD_STATE_COND;
}

std::vector<std::int32_t> CStateCondDlg::SortedLists() const {
  return {IDC_STATE_COND_STATES};
}

void CStateCondDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CStateCondDlg", false, L"", L"", L"");
  Ui().SetText(IDC_STATE_COND_PATH, path_);
  ShowRadio(Ui(), IDC_STATE_COND_AFTER, IDC_STATE_COND_BEFORE, radio_);
  std::wstring held;
  for (const host::WorkflowInfo& workflow : WorkflowsOf(vault_.Get())) {
    for (const host::WorkflowStateInfo& state : workflow.states) {
      const std::wstring text = workflow.name + L"." + state.name;
      Ui().AddItem(IDC_STATE_COND_STATES, text, state.id);
      if (state.id == stateId_) held = text;
    }
  }
  const std::int32_t found = Ui().FindItem(IDC_STATE_COND_STATES, held);
  const bool any = Ui().ItemCount(IDC_STATE_COND_STATES) > 0;
  Ui().SelectItem(IDC_STATE_COND_STATES, found >= 0 ? found : (any ? 0 : -1));
}

void CStateCondDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  FollowRadio(Ui(), IDC_STATE_COND_AFTER, IDC_STATE_COND_BEFORE, control, event);
}

bool CStateCondDlg::OnOk() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_STATE_COND_STATES);
  stateId_ =
      chosen < 0 ? -1 : static_cast<std::int32_t>(Ui().ItemData(IDC_STATE_COND_STATES, chosen));
  path_ = Ui().Text(IDC_STATE_COND_PATH);
  radio_ = ReadRadio(Ui(), IDC_STATE_COND_AFTER);
  return true;
}

CLockCondDlg::CLockCondDlg(std::wstring path, std::int32_t kind, bool after)
    : path_(std::move(path)), kind_(kind), radio_(RadioOf(after)) {}

std::int32_t CLockCondDlg::TemplateId() const {
  return IDD_LOCK_COND;
}

void CLockCondDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CLockCondDlg", false, L"", L"", L"");
  Ui().SetText(IDC_LOCK_COND_PATH, path_);
  ShowRadio(Ui(), IDC_LOCK_COND_AFTER, IDC_LOCK_COND_BEFORE, radio_);
  Ui().AddItem(IDC_LOCK_COND_KINDS, strings::Load(16, L"Check out"), actions::kCheckOut);
  Ui().AddItem(IDC_LOCK_COND_KINDS, strings::Load(17, L"Check in"), actions::kCheckIn);
  Ui().AddItem(IDC_LOCK_COND_KINDS, strings::Load(18, L"Undo check out"), actions::kUndoCheckOut);
  const bool known = kind_ == actions::kCheckIn || kind_ == actions::kUndoCheckOut;
  Ui().SelectItem(IDC_LOCK_COND_KINDS, known ? kind_ - actions::kCheckOut : 0);
}

void CLockCondDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  FollowRadio(Ui(), IDC_LOCK_COND_AFTER, IDC_LOCK_COND_BEFORE, control, event);
}

bool CLockCondDlg::OnOk() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_LOCK_COND_KINDS);
  kind_ = chosen < 0 ? actions::kCheckOutNone
                     : static_cast<std::int32_t>(Ui().ItemData(IDC_LOCK_COND_KINDS, chosen));
  path_ = Ui().Text(IDC_LOCK_COND_PATH);
  radio_ = ReadRadio(Ui(), IDC_LOCK_COND_AFTER);
  return true;
}

CAddCondDlg::CAddCondDlg(std::wstring path, bool after)
    : path_(std::move(path)), radio_(RadioOf(after)) {}

std::int32_t CAddCondDlg::TemplateId() const {
  return IDD_ADD_COND;
}

void CAddCondDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CAddCondDlg", false, L"", L"", L"");
  Ui().SetText(IDC_ADD_COND_PATH, path_);
  ShowRadio(Ui(), IDC_ADD_COND_AFTER, IDC_ADD_COND_BEFORE, radio_);
}

void CAddCondDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  FollowRadio(Ui(), IDC_ADD_COND_AFTER, IDC_ADD_COND_BEFORE, control, event);
}

bool CAddCondDlg::OnOk() {
  path_ = Ui().Text(IDC_ADD_COND_PATH);
  radio_ = ReadRadio(Ui(), IDC_ADD_COND_AFTER);
  return true;
}

}  // namespace vendrel::admin
