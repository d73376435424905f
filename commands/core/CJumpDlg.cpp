// The conditional jump editor. The two radio groups act as one: a button of either group clears
// the other group, and the existence tests take no value.
#include "commands/core/CJumpDlg.h"

#include "commands/core/CJumpDlgRes.h"
#include "commands/core/FieldControls.h"
#include "commands/core/LabelList.h"

namespace vendrel::commands {
namespace {

constexpr FieldControl kBound[] = {
    {"operator", IDC_JUMP_ALWAYS, FieldControl::Kind::kRadios, IDC_JUMP_VAULT},
    {"label", IDC_JUMP_LABEL, FieldControl::Kind::kList},
    {"variable", IDC_JUMP_VARIABLE},
    {"value", IDC_JUMP_VALUE},
    {"ignoreCase", IDC_JUMP_MATCH_CASE, FieldControl::Kind::kOpposite}};

bool IsExistenceTest(std::int32_t op) {
  return op == JumpCondition::kExistsLocal || op == JumpCondition::kExistsInVault;
}

}  // namespace

CJumpDlg::CJumpDlg(JumpCondition condition, const LabelList* labels, actions::Action* action,
                   host::Ref<host::VaultSession> vault, platform::Services* services)
    : condition_(std::move(condition)),
      labels_(labels),
      services_(services),
      variableButton_(action, vault, IDC_JUMP_VARIABLE),
      valueButton_(action, vault, IDC_JUMP_VALUE) {
  variableButton_.Bind(IDC_JUMP_VARIABLE_MENU);
  valueButton_.Bind(IDC_JUMP_VALUE_MENU);
}

std::int32_t CJumpDlg::TemplateId() const {
  return IDD_JUMP;
}

std::vector<std::int32_t> CJumpDlg::SortedLists() const {
  return {IDC_JUMP_LABEL};
}

void CJumpDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CJumpDlg", false, L"", L"", L"");
  if (labels_) {
    for (const std::wstring& name : labels_->Names()) Ui().AddItem(IDC_JUMP_LABEL, name, 0);
  }
  // Jumps compare names exactly, so the stored name is offered, and chosen, by its exact text.
  if (!condition_.label.empty() && (!labels_ || !labels_->Contains(condition_.label)))
    Ui().AddItem(IDC_JUMP_LABEL, condition_.label, 0);
  ShowFields(Ui(), condition_, kBound);
  EnableValue(condition_.op);
}

void CJumpDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClicked) return;
  if (control == IDC_JUMP_VARIABLE_MENU) {
    variableButton_.OnClicked(Ui(), services_);
  } else if (control == IDC_JUMP_VALUE_MENU) {
    valueButton_.OnClicked(Ui(), services_);
  } else if (control >= IDC_JUMP_ALWAYS && control <= IDC_JUMP_VAULT) {
    ChooseOperator(control);
  }
}

void CJumpDlg::ChooseOperator(std::int32_t radio) {
  Ui().CheckRadio(IDC_JUMP_ALWAYS, IDC_JUMP_VAULT, radio);
  const std::int32_t op = radio - IDC_JUMP_ALWAYS;
  EnableValue(op);
  if (IsExistenceTest(op)) {
    Ui().SetText(IDC_JUMP_VALUE, L"");
    Ui().SetChecked(IDC_JUMP_MATCH_CASE, false);
  }
}

void CJumpDlg::EnableValue(std::int32_t op) {
  for (std::int32_t id : {IDC_JUMP_VALUE, IDC_JUMP_VALUE_MENU, IDC_JUMP_MATCH_CASE})
    Ui().Enable(id, !IsExistenceTest(op));
}

bool CJumpDlg::OnOk() {
  TakeFields(Ui(), condition_, kBound);
  return true;
}

}  // namespace vendrel::commands
