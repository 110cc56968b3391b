#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "workers/aligned_memory.h"

namespace corvane {
namespace {

TEST(AlignedMemory, UserAddressIsAlignedAboveItsHeaderAndInsideTheBlock) {
  for (uint32_t alignment : {1u, 8u, 16u, 256u, 4096u}) {
    for (uintptr_t raw = 0x7FFF0000; raw < 0x7FFF0000 + 2 * 4096 + 16; ++raw) {
      uintptr_t user = AlignedUserAddress(raw, alignment);
      ASSERT_EQ(user % alignment, 0u) << raw;
      ASSERT_GT(user, raw + kAlignedHeaderSize);
      ASSERT_LE(user, raw + kAlignedHeaderSize + alignment);  // so user + size fits
    }
  }
  EXPECT_EQ(AlignedUserAddress(0x10003, 0), 0x10003 + kAlignedHeaderSize);
}

struct TOddObject : TAlignObject {
  char bytes[37];
};

TEST(AlignedMemory, BlocksAndInstancesAreAlignedWritableAndGivenBack) {
  EXPECT_EQ(AlignedGetMem(256, 0), nullptr);
  AlignedFreeMem(nullptr);
  // The sanitizer build checks the writes stay inside the raw block and
  // that each raw block is freed exactly once.
  for (uint32_t alignment : {0u, 1u, 16u, 4096u}) {
    for (uint32_t size : {1u, 1000u}) {
      void* block = AlignedGetMem(alignment, size);
      ASSERT_NE(block, nullptr);
      EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % (alignment ? alignment : 1), 0u);
      std::memset(block, 0xA5, size);
      AlignedFreeMem(block);
    }
  }
  for (int i = 0; i < 8; ++i) {
    std::unique_ptr<TAlignObject> object(new TOddObject);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(object.get()) % kObjectAlignment, 0u);
  }
}

}  // namespace
}  // namespace corvane
