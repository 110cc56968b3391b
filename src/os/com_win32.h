#pragma once
// Owners for COM: the library's initialisation on the calling thread, and
// interface pointers, released exactly once however the scope ends.

#include <objbase.h>

#include <utility>

namespace corvane {

// Initialises COM for the scope; uninitialises only when the start succeeded
// (a thread that had COM already gets S_FALSE, which must be paired too).
class ComInitialization {
 public:
  ComInitialization() noexcept : result_(CoInitialize(nullptr)) {}
  ~ComInitialization() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComInitialization(const ComInitialization&) = delete;
  ComInitialization& operator=(const ComInitialization&) = delete;
  HRESULT Result() const noexcept { return result_; }

 private:
  HRESULT result_;
};

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  T* Get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  // Where a creating call (CoCreateInstance, QueryInterface) puts the
  // interface; releases the one held first.
  void** PutVoid() noexcept {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }
  void Reset() noexcept {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

 private:
  T* pointer_ = nullptr;
};

}  // namespace corvane
