// The COM module's state: the instance handle, live objects and server locks.
#pragma once

#include <windows.h>

namespace vendrel::module {

HINSTANCE Instance();
void SetInstance(HINSTANCE instance);

// Counts an object that keeps the library loaded while it lives.
class LiveObject {
 public:
  LiveObject();
  LiveObject(const LiveObject&) = delete;
  LiveObject& operator=(const LiveObject&) = delete;
  ~LiveObject();
};

void LockServer(bool lock);
// No live object and no lock.
bool CanUnload();

}  // namespace vendrel::module
