// The "->" buttons beside the edits; what the edits hold is the editor's own business.
#include "commands/core/TextFieldsDlg.h"

namespace vendrel::commands {

TextFieldsDlg::TextFieldsDlg(std::int32_t templateId, const wchar_t* section, const Cmd& command,
                             std::vector<Field> fields, bool resizable)
    : templateId_(templateId),
      section_(section),
      resizable_(resizable),
      services_(command.Services()) {
  for (const Field& field : fields) {
    buttons_.emplace_back(command.Owner(), command.Vault(), field.edit);
    buttons_.back().Bind(field.menuButton);
  }
}

void TextFieldsDlg::OnInit() {
  mbInitStrWnd(&Ui(), section_, resizable_, L"", L"", L"");
}

void TextFieldsDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClicked) return;
  for (CMenuButton& button : buttons_) {
    if (button.ButtonId() == control) button.OnClicked(Ui(), services_);
  }
}

}  // namespace vendrel::commands
