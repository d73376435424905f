// The add-in behind the COM class, made by whoever links the DLL (the add-in layer, or a test).
#pragma once

#include <memory>

#include "host/AddIn.h"

namespace vendrel::module {

std::unique_ptr<host::AddIn> CreateAddIn();

}  // namespace vendrel::module
