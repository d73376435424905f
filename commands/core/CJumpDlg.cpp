// The conditional jump editor. The two radio groups act as one: a button of either group clears
// the other group, and the existence tests take no value.
#include "commands/core/CJumpDlg.h"

#include "commands/core/CJumpDlgRes.h"
#include "commands/core/LabelList.h"

namespace vendrel::commands {
namespace {

constexpr std::int32_t RadioOf(std::int32_t op) {
  return IDC_JUMP_ALWAYS + op;
}

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
  const std::int32_t op =
      condition_.op >= JumpCondition::kAlways && condition_.op < JumpCondition::kNotChosen
          ? condition_.op
          : JumpCondition::kAlways;
  Ui().SetText(IDC_JUMP_VARIABLE, condition_.variable);
  Ui().SetText(IDC_JUMP_VALUE, condition_.value);
  Ui().CheckRadio(RadioOf(JumpCondition::kAlways), RadioOf(JumpCondition::kExistsInVault),
                  RadioOf(op));
  const bool takesValue = !IsExistenceTest(op);
  for (std::int32_t id : {IDC_JUMP_VALUE, IDC_JUMP_VALUE_MENU, IDC_JUMP_MATCH_CASE})
    Ui().Enable(id, takesValue);

  if (labels_) {
    for (const std::wstring& name : labels_->Names()) Ui().AddItem(IDC_JUMP_LABEL, name, 0);
  }
  if (!condition_.label.empty()) {
    // Jumps compare names exactly, so the stored name is chosen by its exact text.
    if (!labels_ || !labels_->Contains(condition_.label))
      Ui().AddItem(IDC_JUMP_LABEL, condition_.label, 0);
    for (std::int32_t i = 0; i < Ui().ItemCount(IDC_JUMP_LABEL); ++i) {
      if (Ui().ItemText(IDC_JUMP_LABEL, i) == condition_.label) {
        Ui().SelectItem(IDC_JUMP_LABEL, i);
        break;
      }
    }
  }
  Ui().SetChecked(IDC_JUMP_MATCH_CASE, !condition_.ignoreCase);
}

void CJumpDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClicked) return;
  if (control == IDC_JUMP_VARIABLE_MENU) {
    variableButton_.OnClicked(Ui(), services_);
  } else if (control == IDC_JUMP_VALUE_MENU) {
    valueButton_.OnClicked(Ui(), services_);
  } else if (control >= RadioOf(JumpCondition::kAlways) &&
             control <= RadioOf(JumpCondition::kExistsInVault)) {
    ChooseOperator(control - IDC_JUMP_ALWAYS);
  }
}

void CJumpDlg::ChooseOperator(std::int32_t op) {
  Ui().CheckRadio(RadioOf(JumpCondition::kAlways), RadioOf(JumpCondition::kExistsInVault),
                  RadioOf(op));
  const bool takesValue = !IsExistenceTest(op);
  for (std::int32_t id : {IDC_JUMP_VALUE, IDC_JUMP_VALUE_MENU, IDC_JUMP_MATCH_CASE})
    Ui().Enable(id, takesValue);
  if (!takesValue) {
    Ui().SetText(IDC_JUMP_VALUE, L"");
    Ui().SetChecked(IDC_JUMP_MATCH_CASE, false);
  }
}

bool CJumpDlg::OnOk() {
  condition_.op = JumpCondition::kNotChosen;
  for (std::int32_t op = JumpCondition::kAlways; op <= JumpCondition::kExistsInVault; ++op) {
    if (Ui().IsChecked(RadioOf(op))) condition_.op = op;
  }
  condition_.variable = Ui().Text(IDC_JUMP_VARIABLE);
  condition_.value = Ui().Text(IDC_JUMP_VALUE);
  condition_.ignoreCase = !Ui().IsChecked(IDC_JUMP_MATCH_CASE);
  condition_.label = Ui().Text(IDC_JUMP_LABEL);
  return true;
}

}  // namespace vendrel::commands
