// The add-in object: registration with the host and the handling of its notifications.
#pragma once

#include <cstdint>

#include "actions/ActionStore.h"
#include "actions/RunObserver.h"
#include "addin/AdminCommand.h"
#include "addin/Administration.h"
#include "commands/core/CmdFactory.h"
#include "host/AddIn.h"
#include "platform/Services.h"

namespace vendrel::addin {

// Notification kinds the add-in handles.
inline constexpr std::int32_t kMenuCommand = 1;
inline constexpr std::int32_t kBeforeCheckOut = 3;
inline constexpr std::int32_t kAfterCheckOut = 4;
inline constexpr std::int32_t kBeforeCheckIn = 5;
inline constexpr std::int32_t kAfterCheckIn = 6;
inline constexpr std::int32_t kBeforeUndoCheckOut = 7;
inline constexpr std::int32_t kAfterUndoCheckOut = 8;
inline constexpr std::int32_t kBeforeStateChange = 9;
inline constexpr std::int32_t kAfterStateChange = 10;
inline constexpr std::int32_t kBeforeAdd = 11;
inline constexpr std::int32_t kAfterAdd = 12;
inline constexpr std::int32_t kBeforeAddByPath = 19;
inline constexpr std::int32_t kAfterAddByPath = 20;

// Flags of the registered menu commands.
inline constexpr std::int32_t kAdminChiefFlags = 0x20040;
inline constexpr std::int32_t kAdminEveryoneFlags = 0x200;
inline constexpr std::int32_t kActionMenuFlags = 0x4000;

// The refresh flags answered after a menu-started action changed something.
inline constexpr std::int32_t kRefreshAfterRun = 1;

class CVornAddIn final : public host::AddIn {
 public:
  // The services must outlive the add-in; message boxes, the wait cursor and the clock are
  // required. The factory makes the commands of loaded actions.
  explicit CVornAddIn(platform::Services& services,
                      actions::CommandFactory factory = commands::CreateCmd);
  ~CVornAddIn() override;

  host::HResult GetAddInInfo(host::AddInInfo* info, host::VaultSession* vault,
                             host::HostRegistrar* registrar) override;
  host::HResult OnCommand(host::HostNotification& notification) override;

  // Replaces the administration command (the actions list); null: it opens nothing.
  void SetAdminCommand(AdminCommand* admin) { admin_ = admin; }
  // Null: nobody listens to the runs.
  void SetRunObserver(actions::RunObserver* observer) { observer_ = observer; }

  // The action list, the highest ids, the lock and counter state and the loaded mark.
  actions::ActionStore& Store() { return store_; }
  bool NotificationInProgress() const { return inProgress_; }

 private:
  void Register(host::VaultSession* vault, host::HostRegistrar& registrar);
  host::HResult Handle(host::HostNotification& notification, host::VaultSession& vault);

  platform::Services& services_;
  actions::ActionStore store_;
  bool inProgress_ = false;
  Administration administration_;
  AdminCommand* admin_ = &administration_;
  actions::RunObserver* observer_ = nullptr;
};

}  // namespace vendrel::addin
