// Running the registration scripts of the class table against HKEY_CLASSES_ROOT.
#pragma once

#include <string>

#include "module/ClassTable.h"

namespace vendrel::module {

HRESULT RegisterServerClass(const ClassEntry& entry, const std::wstring& modulePath);
// Removing keys that are already gone is no failure, so unregistering twice is safe.
HRESULT UnregisterServerClass(const ClassEntry& entry);

}  // namespace vendrel::module
