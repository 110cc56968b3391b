#include "figure/cpu_level.h"

#include <cstring>

#include "figure/x86.h"

#if CORVANE_X86
#if defined(_MSC_VER)
#include <immintrin.h>
#include <intrin.h>
#else
#include <cpuid.h>
#endif
#endif

namespace corvane {
namespace {

constexpr uint32_t kMmx = 1u << 23, kCmov = 1u << 15, kFxsr = 1u << 24, kSse = 1u << 25,
                   kSse2 = 1u << 26;
constexpr uint32_t kSse3 = 1u << 0;  // in ECX

#if CORVANE_X86

CpuFeatures ReadCpuFeatures() {
  CpuFeatures f;
#if defined(_MSC_VER)
  int regs[4];
  __cpuid(regs, 0);
  f.maxBasicLeaf = static_cast<uint32_t>(regs[0]);
  if (f.maxBasicLeaf >= 1) {
    __cpuid(regs, 1);
    f.ecx1 = static_cast<uint32_t>(regs[2]);
    f.edx1 = static_cast<uint32_t>(regs[3]);
  }
#else
  unsigned a = 0, b = 0, c = 0, d = 0;
  f.maxBasicLeaf = __get_cpuid_max(0, nullptr);  // 0 also when there is no CPUID
  if (f.maxBasicLeaf >= 1 && __get_cpuid(1, &a, &b, &c, &d)) {
    f.ecx1 = c;
    f.edx1 = d;
  }
#endif
  return f;
}

// FXSAVE area: the XMM registers start at byte 160, so byte 268 lies in XMM6.
constexpr size_t kProbeOffset = 268;
constexpr uint32_t kProbeFlip = 0xD95A34BEu;

struct alignas(16) FxArea {
  unsigned char bytes[512];
};

void FxSave(FxArea* area) {
#if defined(_MSC_VER)
  _fxsave(area->bytes);
#else
  __asm__ __volatile__("fxsave %0" : "=m"(*area));
#endif
}

void FxRestore(const FxArea* area) {
#if defined(_MSC_VER)
  _fxrstor(area->bytes);
#else
  __asm__ __volatile__("fxrstor %0" : : "m"(*area));
#endif
}

// Restores `in` and saves straight into `out`, so that nothing the compiler
// schedules in between can disturb the registers under test.
void FxRestoreThenSave(const FxArea* in, FxArea* out) {
#if defined(_MSC_VER)
  _fxrstor(in->bytes);
  _fxsave(out->bytes);
#else
  __asm__ __volatile__("fxrstor %1\n\tfxsave %0" : "=m"(*out) : "m"(*in));
#endif
}

uint32_t WordAt(const FxArea& area) {
  uint32_t w;
  std::memcpy(&w, area.bytes + kProbeOffset, sizeof w);
  return w;
}

// Does a value written into an XMM register through FXRSTOR come back in
// the next FXSAVE? Only then does the system save and restore XMM state.
bool SystemKeepsXmm() {
  FxArea original, flipped, second;
  FxSave(&original);
  flipped = original;
  const uint32_t word = WordAt(original) ^ kProbeFlip;
  std::memcpy(flipped.bytes + kProbeOffset, &word, sizeof word);
  FxRestoreThenSave(&flipped, &second);
  FxRestore(&original);
  return (WordAt(second) ^ WordAt(original)) == kProbeFlip;
}

#endif  // CORVANE_X86

}  // namespace

uint32_t CpuLevelFrom(const CpuFeatures& f, bool (*systemKeepsXmm)()) {
  if (f.maxBasicLeaf == 0 || !(f.edx1 & kMmx)) return 0;
  if (!(f.edx1 & kCmov)) return 1;
  if (!(f.edx1 & kFxsr) || !(f.edx1 & kSse) || !systemKeepsXmm()) return 2;
  if (!(f.edx1 & kSse2)) return 3;
  return (f.ecx1 & kSse3) ? 5 : 4;
}

uint32_t CpuLevel() {
#if CORVANE_X86
  static const uint32_t level = CpuLevelFrom(ReadCpuFeatures(), SystemKeepsXmm);
  return level;
#else
  return 0;
#endif
}

}  // namespace corvane
