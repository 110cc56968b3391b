#pragma once
// Owner of an open registry key: closed exactly once, however the scope ends.

#include <windows.h>

#include <utility>

namespace corvane {

class UniqueRegKey {
 public:
  UniqueRegKey() = default;
  explicit UniqueRegKey(HKEY key) noexcept : key_(key) {}
  ~UniqueRegKey() { Reset(); }
  UniqueRegKey(UniqueRegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  UniqueRegKey& operator=(UniqueRegKey&& other) noexcept {
    if (this != &other) {
      Reset();
      key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
  }

  HKEY Get() const noexcept { return key_; }
  void Reset() noexcept {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  explicit operator bool() const noexcept { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace corvane
