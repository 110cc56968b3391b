#pragma once
// The process-wide uniform generator: a 32-bit linear congruential generator
// (seed <- seed * 134775813 + 1), seeded once per run and shared by the main
// and calculation threads. The seed is advanced atomically, so threads never
// race and every draw consumes exactly one step of the one sequence.

#include <cstdint>

namespace corvane {

void RandomSeed(uint32_t seed);
uint32_t RandomState();
// Uniform in [0, 1).
double Random();
// Uniform integer in 0..n-1 (0 when n is 0).
uint32_t RandomInt(uint32_t n);

}  // namespace corvane
