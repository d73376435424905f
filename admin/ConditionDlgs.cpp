// The condition dialogs: path, after or before, and the state or the check-out kind.
#include "admin/ConditionDlgs.h"

#include "actions/Action.h"
#include "admin/ConditionDlgsRes.h"
#include "host/Status.h"
#include "host/Strings.h"

namespace vendrel::admin {
namespace {

constexpr CConditionDlg::Controls kStateControls{IDD_STATE_COND, L"CStateCondDlg",
                                                 IDC_STATE_COND_PATH, IDC_STATE_COND_AFTER,
                                                 IDC_STATE_COND_BEFORE};
constexpr CConditionDlg::Controls kLockControls{IDD_LOCK_COND, L"CLockCondDlg", IDC_LOCK_COND_PATH,
                                                IDC_LOCK_COND_AFTER, IDC_LOCK_COND_BEFORE};
constexpr CConditionDlg::Controls kAddControls{IDD_ADD_COND, L"CAddCondDlg", IDC_ADD_COND_PATH,
                                               IDC_ADD_COND_AFTER, IDC_ADD_COND_BEFORE};

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

CConditionDlg::CConditionDlg(const Controls& controls, std::wstring path, bool after)
    : controls_(controls), path_(std::move(path)), radio_(after ? kAfterIndex : kBeforeIndex) {}

void CConditionDlg::OnInit() {
  mbInitStrWnd(&Ui(), controls_.className, false, L"", L"", L"");
  Ui().SetText(controls_.path, path_);
  Ui().CheckRadio(controls_.after, controls_.before,
                  radio_ == kAfterIndex ? controls_.after : controls_.before);
  ShowValue();
}

// A click on either radio button checks it alone, as the group's buttons do on Windows.
void CConditionDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event == platform::ControlEvent::kClicked &&
      (control == controls_.after || control == controls_.before)) {
    Ui().CheckRadio(controls_.after, controls_.before, control);
  }
}

bool CConditionDlg::OnOk() {
  ReadValue();
  path_ = Ui().Text(controls_.path);
  radio_ = Ui().IsChecked(controls_.after) ? kAfterIndex : kBeforeIndex;
  return true;
}

CStateCondDlg::CStateCondDlg(std::wstring path, std::int32_t stateId, bool after,
                             host::Ref<host::VaultSession> vault)
    : CConditionDlg(kStateControls, std::move(path), after),
      stateId_(stateId),
      vault_(std::move(vault)) {}

std::vector<std::int32_t> CStateCondDlg::SortedLists() const {
  return {IDC_STATE_COND_STATES};
}

void CStateCondDlg::ShowValue() {
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

void CStateCondDlg::ReadValue() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_STATE_COND_STATES);
  stateId_ =
      chosen < 0 ? -1 : static_cast<std::int32_t>(Ui().ItemData(IDC_STATE_COND_STATES, chosen));
}

CLockCondDlg::CLockCondDlg(std::wstring path, std::int32_t kind, bool after)
    : CConditionDlg(kLockControls, std::move(path), after), kind_(kind) {}

void CLockCondDlg::ShowValue() {
  Ui().AddItem(IDC_LOCK_COND_KINDS, strings::Load(16, L"Check out"), actions::kCheckOut);
  Ui().AddItem(IDC_LOCK_COND_KINDS, strings::Load(17, L"Check in"), actions::kCheckIn);
  Ui().AddItem(IDC_LOCK_COND_KINDS, strings::Load(18, L"Undo check out"), actions::kUndoCheckOut);
  const bool known = kind_ == actions::kCheckIn || kind_ == actions::kUndoCheckOut;
  Ui().SelectItem(IDC_LOCK_COND_KINDS, known ? kind_ - actions::kCheckOut : 0);
}

void CLockCondDlg::ReadValue() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_LOCK_COND_KINDS);
  kind_ = chosen < 0 ? actions::kCheckOutNone
                     : static_cast<std::int32_t>(Ui().ItemData(IDC_LOCK_COND_KINDS, chosen));
}

CAddCondDlg::CAddCondDlg(std::wstring path, bool after)
    : CConditionDlg(kAddControls, std::move(path), after) {}

}  // namespace vendrel::admin
