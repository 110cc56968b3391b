#pragma once
// Blocks and objects placed on a power-of-two boundary, so that the figure's
// big arrays and every worker object sit on the same boundaries in every run.

#include <cstddef>
#include <cstdint>

#include "os/exception.h"
#include "os/thread.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EAlignMemoryManagerError);

// Alignment of every TAlignObject and TAlignThread instance.
inline constexpr uint32_t kObjectAlignment = 256;

// The raw block start is kept just below the user pointer, pointer-sized.
inline constexpr size_t kAlignedHeaderSize = sizeof(void*);

// Where AlignedGetMem puts the user pointer inside a raw block starting at
// `raw`: the next multiple of the alignment strictly above raw + header
// (raw + header itself when the alignment is 0).
uintptr_t AlignedUserAddress(uintptr_t raw, uint32_t alignment);

// Size 0 gives null without allocating. Raises "Out of memory." when the
// allocator has nothing.
void* AlignedGetMem(uint32_t alignment, uint32_t size);
// Null is ignored.
void AlignedFreeMem(void* pointer);

// Instances created with `new` live on a 256-byte boundary.
class TAlignObject {
 public:
  TAlignObject() = default;
  virtual ~TAlignObject() = default;

  static void* operator new(size_t size);
  static void operator delete(void* pointer) noexcept;
};

// A thread object whose instances created with `new` live on a 256-byte
// boundary.
class TAlignThread : public Thread {
 public:
  static void* operator new(size_t size);
  static void operator delete(void* pointer) noexcept;
};

}  // namespace corvane
