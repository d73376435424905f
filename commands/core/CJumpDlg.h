// CJumpDlg: the conditional jump editor, an operator in two radio groups and a target label.
#pragma once

#include <cstdint>
#include <string>

#include "commands/core/CMenuButton.h"
#include "commands/core/Fields.h"
#include "commands/core/LabelList.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

// The fields of a jump, in their declaration order; the walk is in stored order.
struct JumpCondition {
  enum Operator : std::int32_t {
    kAlways = 0,
    kEquals = 1,
    kGreater = 2,
    kGreaterOrEqual = 3,
    kNotEqual = 4,
    kExistsLocal = 5,
    kExistsInVault = 6,
    kNotChosen = 7,  // a new jump's: never jumps
  };

  std::wstring variable{};  // left side, expanded at run time
  std::wstring value{};     // right side, or the path of the existence tests
  std::wstring label{};
  std::int32_t op = kNotChosen;
  bool ignoreCase = true;

  friend bool operator==(const JumpCondition&, const JumpCondition&) = default;
  void Visit(FieldVisitor& v) {
    v.Int32("operator", op);
    v.Text("label", label, TextUse::kAsWritten);
    v.Text("variable", variable, TextUse::kExpanded);
    v.Text("value", value, TextUse::kExpanded);
    v.Bool("ignoreCase", ignoreCase);
  }
};

class CJumpDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  // `labels` are offered, when given; `action` and `vault` serve the two "->" buttons,
  // `services` their nested dialogs.
  CJumpDlg(JumpCondition condition, const LabelList* labels, actions::Action* action,
           host::Ref<host::VaultSession> vault, platform::Services* services);

  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override;
  // As shown, or as chosen once OK was pressed. Nothing is validated.
  const JumpCondition& Condition() const { return condition_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  void ChooseOperator(std::int32_t radio);
  // The value and its case are for comparisons only.
  void EnableValue(std::int32_t op);

  JumpCondition condition_;
  const LabelList* labels_;
  platform::Services* services_;
  CMenuButton variableButton_;
  CMenuButton valueButton_;
};

}  // namespace vendrel::commands
