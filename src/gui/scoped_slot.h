#pragma once
// A value put into a slot of a longer-lived object (an event of the
// application, a hot key of the main window, a tool-window slot) for as
// long as the holder lives: the slot is emptied when the holder goes, so
// what the value points to or captures can never be reached after it is
// gone. Declare the holder after whatever the value captures.

#include <utility>

namespace corvane::gui {

template <typename T>
class [[nodiscard]] ScopedSlot {
 public:
  ScopedSlot(T& slot, T value) : slot_(&slot) { slot = std::move(value); }
  ScopedSlot(ScopedSlot&& other) noexcept : slot_(std::exchange(other.slot_, nullptr)) {}
  ScopedSlot& operator=(ScopedSlot&&) = delete;
  ScopedSlot(const ScopedSlot&) = delete;
  ~ScopedSlot() {
    if (slot_) *slot_ = T{};
  }

 private:
  T* slot_;
};

}  // namespace corvane::gui
