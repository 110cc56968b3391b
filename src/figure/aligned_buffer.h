#pragma once
// An owned array of trivially copyable elements on an aligned block, for
// the figure's page-aligned arrays and the geometry buffers.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "workers/aligned_memory.h"

namespace corvane {

// The big arrays sit on page boundaries.
inline constexpr uint32_t kPageAlignment = 4096;

template <class T>
class AlignedBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  AlignedBuffer() = default;
  AlignedBuffer(size_t count, uint32_t alignment) { Allocate(count, alignment); }
  ~AlignedBuffer() { AlignedFreeMem(data_); }
  AlignedBuffer(const AlignedBuffer&) = delete;
  AlignedBuffer& operator=(const AlignedBuffer&) = delete;

  // Drops the old contents (uninitialised afterwards); a count of 0 leaves
  // the buffer empty.
  void Allocate(size_t count, uint32_t alignment) {
    AlignedFreeMem(data_);
    data_ = nullptr;
    if (count > std::numeric_limits<uint32_t>::max() / sizeof(T)) throw EAlignMemoryManagerError("Out of memory.");
    data_ = static_cast<T*>(AlignedGetMem(alignment, static_cast<uint32_t>(count * sizeof(T))));
  }
  void Swap(AlignedBuffer& other) noexcept { std::swap(data_, other.data_); }

  T* Data() const noexcept { return data_; }
  T& operator[](size_t i) const noexcept { return data_[i]; }

 private:
  T* data_ = nullptr;
};

}  // namespace corvane
