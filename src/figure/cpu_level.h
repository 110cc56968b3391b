#pragma once
// The processor capability probe that chooses between the plain and the
// SSE2 numeric kernels once at start-up.

#include <cstdint>

namespace corvane {

// 0: no CPUID / no basic leaf / no MMX; 1: MMX; 2: MMX+CMOV (also whenever
// FXSAVE or SSE is missing or the system does not keep the XMM state);
// 3: SSE; 4: SSE2; 5: SSE3.
uint32_t CpuLevel();

// What CpuLevel concludes from CPUID leaf 0's highest leaf, leaf 1's EDX and
// ECX, and the XMM-state test (asked only when SSE and FXSAVE are there).
struct CpuFeatures {
  uint32_t maxBasicLeaf = 0;
  uint32_t edx1 = 0;
  uint32_t ecx1 = 0;
};
uint32_t CpuLevelFrom(const CpuFeatures& features, bool (*systemKeepsXmm)());

}  // namespace corvane
