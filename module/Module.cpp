// Live-object and lock counts of the COM module.
#include "module/Module.h"

#include <atomic>

namespace vendrel::module {

namespace {
HINSTANCE instance = nullptr;
std::atomic<long> objects{0};
std::atomic<long> locks{0};
}  // namespace

HINSTANCE Instance() {
  return instance;
}
void SetInstance(HINSTANCE h) {
  instance = h;
}

LiveObject::LiveObject() {
  ++objects;
}
LiveObject::~LiveObject() {
  --objects;
}

void LockServer(bool lock) {
  if (lock)
    ++locks;
  else
    --locks;
}

bool CanUnload() {
  return objects == 0 && locks == 0;
}

}  // namespace vendrel::module
