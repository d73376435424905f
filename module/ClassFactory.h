// The one class factory, over any entry of the class table.
#pragma once

#include "host/com/Com.h"
#include "module/ClassTable.h"

namespace vendrel::module {

com::ComPtr<IClassFactory> MakeClassFactory(const ClassEntry& entry);

}  // namespace vendrel::module
