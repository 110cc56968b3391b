#include "os/random.h"

#include <atomic>

namespace corvane {
namespace {

std::atomic<uint32_t> g_seed{0};

uint32_t NextSeed() {
  uint32_t current = g_seed.load(std::memory_order_relaxed);
  uint32_t next;
  do {
    next = current * 134775813u + 1u;
  } while (!g_seed.compare_exchange_weak(current, next, std::memory_order_relaxed));
  return next;
}

}  // namespace

void RandomSeed(uint32_t seed) { g_seed.store(seed, std::memory_order_relaxed); }
uint32_t RandomState() { return g_seed.load(std::memory_order_relaxed); }

double Random() { return NextSeed() * (1.0 / 4294967296.0); }

uint32_t RandomInt(uint32_t n) {
  return static_cast<uint32_t>((static_cast<uint64_t>(NextSeed()) * n) >> 32);
}

}  // namespace corvane
