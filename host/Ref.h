// Counted references: the intrusive reference counting of host objects.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

namespace vendrel::host {

// Every host object is counted; the last Release destroys it.
class Counted {
 public:
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  virtual ~Counted() = default;
};

// Owning pointer to a counted object. Assigning takes the new reference before releasing the
// old one, so assigning the object already held does nothing.
template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  // Takes a new reference on p.
  explicit Ref(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  Ref(const Ref& other) : Ref(other.p_) {}
  Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  template <class U>
  Ref(const Ref<U>& other) : Ref(static_cast<T*>(other.Get())) {}
  ~Ref() { Reset(); }

  Ref& operator=(const Ref& other) {
    Assign(other.p_);
    return *this;
  }
  Ref& operator=(Ref&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  Ref& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }

  void Assign(T* p) {
    if (p == p_) return;
    if (p) p->AddRef();
    T* old = std::exchange(p_, p);
    if (old) old->Release();
  }
  void Reset() {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }
  // Adopts a reference the caller already owns (for a freshly created object or an out-parameter).
  static Ref Adopt(T* p) {
    Ref r;
    r.p_ = p;
    return r;
  }
  T* Detach() { return std::exchange(p_, nullptr); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  friend bool operator==(const Ref& a, const Ref& b) { return a.p_ == b.p_; }
  friend bool operator==(const Ref& a, std::nullptr_t) { return a.p_ == nullptr; }

 private:
  T* p_ = nullptr;
};

// The counting half of an implementation: class Impl : public CountedImpl<VaultFile> { ... }.
template <class Interface>
class CountedImpl : public Interface {
 public:
  using Interface::Interface;
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    const std::uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<std::uint32_t> refs_{0};
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

}  // namespace vendrel::host
