#include "workers/aligned_memory.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace corvane {

uintptr_t AlignedUserAddress(uintptr_t raw, uint32_t alignment) {
  uintptr_t above = raw + kAlignedHeaderSize;
  if (alignment == 0) return above;
  return above - above % alignment + alignment;
}

void* AlignedGetMem(uint32_t alignment, uint32_t size) {
  if (size == 0) return nullptr;
  // Only a 32-bit size_t can overflow here.
  if (size_t(size) > std::numeric_limits<size_t>::max() - alignment - kAlignedHeaderSize)
    throw EAlignMemoryManagerError("Out of memory.");
  void* raw = std::malloc(size_t(alignment) + size + kAlignedHeaderSize);
  if (!raw) throw EAlignMemoryManagerError("Out of memory.");
  auto* user = reinterpret_cast<char*>(AlignedUserAddress(reinterpret_cast<uintptr_t>(raw), alignment));
  // Small alignments leave the slot unaligned for a pointer, hence memcpy.
  std::memcpy(user - kAlignedHeaderSize, &raw, sizeof raw);
  return user;
}

void AlignedFreeMem(void* pointer) {
  if (!pointer) return;
  void* raw;
  std::memcpy(&raw, static_cast<char*>(pointer) - kAlignedHeaderSize, sizeof raw);
  std::free(raw);
}

void* TAlignObject::operator new(size_t size) { return AlignedGetMem(kObjectAlignment, uint32_t(size)); }
void TAlignObject::operator delete(void* pointer) noexcept { AlignedFreeMem(pointer); }

void* TAlignThread::operator new(size_t size) { return AlignedGetMem(kObjectAlignment, uint32_t(size)); }
void TAlignThread::operator delete(void* pointer) noexcept { AlignedFreeMem(pointer); }

}  // namespace corvane
