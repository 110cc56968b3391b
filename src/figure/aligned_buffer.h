#pragma once
// An owned, aligned array of trivially copyable elements, for the figure's
// large blocks (page-aligned) and the camera block.

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

namespace corvane {

template <class T>
class AlignedBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  AlignedBuffer() = default;
  AlignedBuffer(size_t count, size_t alignment) { Allocate(count, alignment); }
  ~AlignedBuffer() { Free(); }
  AlignedBuffer(const AlignedBuffer&) = delete;
  AlignedBuffer& operator=(const AlignedBuffer&) = delete;

  // Drops the old contents; a count of 0 leaves the buffer empty.
  void Allocate(size_t count, size_t alignment) {
    Free();
    if (count == 0) return;
    data_ = static_cast<T*>(::operator new(count * sizeof(T), std::align_val_t(alignment)));
    alignment_ = alignment;
  }
  void Free() {
    if (data_) ::operator delete(data_, std::align_val_t(alignment_));
    data_ = nullptr;
  }
  void Swap(AlignedBuffer& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(alignment_, other.alignment_);
  }

  T* Data() const noexcept { return data_; }
  T& operator[](size_t i) const noexcept { return data_[i]; }

 private:
  T* data_ = nullptr;
  size_t alignment_ = 0;
};

}  // namespace corvane
