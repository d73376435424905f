// The administration command: reload, show the actions list, save on OK.
#include "addin/Administration.h"

#include "addin/Documents.h"
#include "host/Strings.h"

namespace vendrel::addin {
namespace {

// The list shown now, shared by every add-in object of the process.
admin::CAdministrateActionsDlg*& OpenDialog() {
  static admin::CAdministrateActionsDlg* open = nullptr;
  return open;
}

class OpenDialogRecord {
 public:
  explicit OpenDialogRecord(admin::CAdministrateActionsDlg& dialog) { OpenDialog() = &dialog; }
  ~OpenDialogRecord() { OpenDialog() = nullptr; }
  OpenDialogRecord(const OpenDialogRecord&) = delete;
  OpenDialogRecord& operator=(const OpenDialogRecord&) = delete;
};

}  // namespace

void Administration::Administrate(const AdminRequest& request) {
  if (admin::CAdministrateActionsDlg* open = OpenDialog()) {
    open->BringToFront();
    return;
  }
  if (!services_.dialogs) return;
  actions::ActionStore& store = request.store;
  admin::CAdministrateActionsDlg dialog(
      store.Set().actions, host::Ref<host::VaultSession>(&request.vault), &services_);
  const OpenDialogRecord record(dialog);
  const platform::Window owner = OwnerWindow(request.notification.parentWindow);
  request.vault.SetWindows(0, request.notification.parentWindow);
  if (!request.loadedThisCall) store.Load(request.vault);
  dialog.SetCommandIdCounter(store.Set().highestId);
  if (services_.dialogs->Run(dialog, owner) != platform::kIdOk) return;
  store.Set().highestId = dialog.CommandIdCounter();
  if (!store.Save(request.vault) && services_.messageBoxes) {
    services_.messageBoxes->Show(
        {owner, strings::Load(115, L"Error accessing database."), L"Vendrel", platform::mb::kOk});
  }
  request.notification.refreshFlags = kRefreshAfterAdministration;
}

}  // namespace vendrel::addin
