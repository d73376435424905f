// Replaces the global allocation functions of the test program to record request sizes.
#include "tests/actions/AllocationWatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace vendrel::test {
namespace {

std::atomic<std::size_t> largest{0};

void* Allocate(std::size_t n) {
  std::size_t seen = largest.load();
  while (n > seen && !largest.compare_exchange_weak(seen, n)) {
  }
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}

}  // namespace

void ResetLargestAllocation() {
  largest = 0;
}
std::size_t LargestAllocation() {
  return largest.load();
}

}  // namespace vendrel::test

void* operator new(std::size_t n) {
  return vendrel::test::Allocate(n);
}
void* operator new[](std::size_t n) {
  return vendrel::test::Allocate(n);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return vendrel::test::Allocate(n);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t& tag) noexcept {
  return operator new(n, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
