// The text fields editor: texts in, texts out; none is checked.
#include "commands/core/TextFieldsDlg.h"

namespace vendrel::commands {

TextFieldsDlg::TextFieldsDlg(std::int32_t templateId, const wchar_t* section, const Cmd& command,
                             std::vector<Field> fields, bool resizable)
    : templateId_(templateId),
      section_(section),
      resizable_(resizable),
      services_(command.Services()),
      fields_(std::move(fields)) {
  for (const Field& field : fields_) {
    buttons_.emplace_back(command.Owner(), command.Vault(), field.edit);
    buttons_.back().Bind(field.menuButton);
  }
}

void TextFieldsDlg::OnInit() {
  mbInitStrWnd(&Ui(), section_, resizable_, L"", L"", L"");
  for (const Field& field : fields_) Ui().SetText(field.edit, field.text);
}

void TextFieldsDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClicked) return;
  for (CMenuButton& button : buttons_) {
    if (button.ButtonId() == control) button.OnClicked(Ui(), services_);
  }
}

bool TextFieldsDlg::OnOk() {
  for (Field& field : fields_) field.text = Ui().Text(field.edit);
  return true;
}

}  // namespace vendrel::commands
