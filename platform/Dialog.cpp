// The presenter's side of the modal protocol: OK asks the presenter, Cancel always closes.
#include "platform/Dialog.h"

namespace vendrel::platform {

void Dialog::Open(DialogSurface& surface) {
  surface_ = &surface;
  OnInit();
}

void Dialog::Notify(std::int32_t control, ControlEvent event) {
  if (!surface_) return;
  if (control == kIdOk && event == ControlEvent::kClicked) {
    if (OnOk()) surface_->End(kIdOk);
  } else if (control == kIdCancel && event == ControlEvent::kClicked) {
    OnCancel();
    surface_->End(kIdCancel);
  } else {
    OnControl(control, event);
  }
}

void Dialog::Resized(ClientSize client) {
  if (surface_) OnSize(client);
}

}  // namespace vendrel::platform
