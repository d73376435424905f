// Creation of the add-in object for hosts.
#include "addin/CreateAddIn.h"

#include "addin/CVornAddIn.h"

namespace vendrel::addin {

std::unique_ptr<host::AddIn> CreateAddIn(platform::Services& services, AdminCommand* admin,
                                         actions::RunObserver* observer) {
  auto addIn = std::make_unique<CVornAddIn>(services);
  if (admin) addIn->SetAdminCommand(admin);
  addIn->SetRunObserver(observer);
  return addIn;
}

}  // namespace vendrel::addin
