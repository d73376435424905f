// The one way in for a host: a new add-in object over the platform services.
#pragma once

#include <memory>

#include "actions/RunObserver.h"
#include "addin/AdminCommand.h"
#include "host/AddIn.h"
#include "platform/Services.h"

namespace vendrel::addin {

// The services (and the plug-ins, when given) must outlive the add-in. Without an
// administration plug-in the administration command shows the actions list over the services;
// without an observer nobody hears about the runs.
std::unique_ptr<host::AddIn> CreateAddIn(platform::Services& services,
                                         AdminCommand* admin = nullptr,
                                         actions::RunObserver* observer = nullptr);

}  // namespace vendrel::addin
