// The administration command: the actions list over the add-in's actions, stored in the vault on
// OK. One list is open per process; asking again brings it to the front.
#pragma once

#include "addin/AdminCommand.h"
#include "admin/CAdministrateActionsDlg.h"
#include "platform/Services.h"

namespace vendrel::addin {

// The refresh flags answered after the administrator pressed OK.
inline constexpr std::int32_t kRefreshAfterAdministration = 6;

class Administration final : public AdminCommand {
 public:
  // The services must outlive the command; the chooser asks for action files.
  explicit Administration(platform::Services& services) : services_(services) {}

  void Administrate(const AdminRequest& request) override;

 private:
  platform::Services& services_;
};

}  // namespace vendrel::addin
