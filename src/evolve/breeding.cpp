#include "evolve/breeding.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "presets/preset_text.h"

namespace corvane {
namespace {

using G = Gene;
constexpr auto kCont = Trait::Continuous, kWhole = Trait::Whole, kSwitch = Trait::Switch;
constexpr double kTwoThirds = 2.0 / 3.0;

// Parameter n at n - 1; the ranges are those of presets/*.cvp, which the
// gallery tests hold them to.
constexpr std::array<ParamBreeding, kParamCount> kBreeding = {{
    {G::Counts, kWhole, 10, 100},         // Points
    {G::Counts, kWhole, 80, 2000},        // Lines
    {G::Pace, kCont, 14, 14},             // Ticks
    {G::Pace, kCont, 0, 1},               // Stochastity
    {G::Colours, kCont, 1.1, 4},          // Intensity
    {G::Counts, kCont, 0.3, 10},          // Density
    {G::Pace, kCont, 0.006, 0.05},        // MidDT
    {G::Pace, kCont, 0, 0.01},            // ShiftDT
    {G::Pace, kCont, 0, 0.0001},          // ScaleDDT
    {G::EmitterX, kCont, 100, 900},       // MidAX
    {G::EmitterX, kCont, 0, 500},         // ShiftAX
    {G::EmitterX, kCont, 0, 2},           // ScaleDAX
    {G::EmitterY, kCont, 100, 450},       // MidAY
    {G::EmitterY, kCont, 0, 500},         // ShiftAY
    {G::EmitterY, kCont, 0, 2.3},         // ScaleDAY
    {G::EmitterZ, kCont, 0, 450},         // MidAZ
    {G::EmitterZ, kCont, 0, 500},         // ShiftAZ
    {G::EmitterZ, kCont, 0, 1.7},         // ScaleDAZ
    {G::EmitterX, kCont, 0.3, 3},         // MidFX
    {G::EmitterX, kCont, 0, 0.1},         // ShiftFX
    {G::EmitterX, kCont, 0, 0.00005},     // ScaleDFX
    {G::EmitterY, kCont, 0.7, 4},         // MidFY
    {G::EmitterY, kCont, 0, 0.3},         // ShiftFY
    {G::EmitterY, kCont, 0, 0.0004},      // ScaleDFY
    {G::EmitterZ, kCont, 0.5, 5},         // MidFZ
    {G::EmitterZ, kCont, 0, 0.2},         // ShiftFZ
    {G::EmitterZ, kCont, 0, 0.0002},      // ScaleDFZ
    {G::EmitterX, kCont, -kTwoThirds, 0}, // MidPX
    {G::EmitterX, kCont, 0, 0.5},         // ShiftPX
    {G::EmitterX, kCont, 0, 0.0002},      // ScaleDPX
    {G::EmitterY, kCont, 0, 0.5},         // MidPY
    {G::EmitterY, kCont, 0, 0.5},         // ShiftPY
    {G::EmitterY, kCont, 0, 0.0005},      // ScaleDPY
    {G::EmitterZ, kCont, 0.5, kTwoThirds},// MidPZ
    {G::EmitterZ, kCont, 0, 0},           // ShiftPZ
    {G::EmitterZ, kCont, 0, 0},           // ScaleDPZ
    {G::Drift, kCont, -4, 8},             // MidNV
    {G::Drift, kCont, 0, 10},             // ShiftNV
    {G::Drift, kCont, 0, 0.3},            // ScaleDNV
    {G::Drift, kCont, 0, 12},             // MidTV
    {G::Drift, kCont, 0, 10},             // ShiftTV
    {G::Drift, kCont, 0, 0.3},            // ScaleDTV
    {G::Drift, kCont, 0, 6},              // MidBV
    {G::Drift, kCont, 0, 10},             // ShiftBV
    {G::Drift, kCont, 0, 0.3},            // ScaleDBV
    {G::Colours, kCont, 0, 0.9},          // ColorR1
    {G::Colours, kCont, 0, 1},            // ColorR2
    {G::Colours, kCont, 0, 0.2},          // ColorR3
    {G::Colours, kCont, 0, 0.3},          // ColorG1
    {G::Colours, kCont, 0, 1},            // ColorG2
    {G::Colours, kCont, 0, 0.05},         // ColorG3
    {G::Colours, kCont, 0, 1},            // ColorB1
    {G::Colours, kCont, 0, 1},            // ColorB2
    {G::Colours, kCont, 0, 0.12},         // ColorB3
    {G::Camera, kCont, 0, 1800},          // EyeX
    {G::Camera, kCont, -2600, 1800},      // EyeY
    {G::Camera, kCont, 600, 3000},        // EyeZ
    {G::Camera, kCont, 0, 0},             // CenterX
    {G::Camera, kCont, 0, 0},             // CenterY
    {G::Camera, kCont, 0, 0},             // CenterZ
    {G::Camera, kCont, -4082, 0},         // UpX
    {G::Camera, kCont, 0, 8165},          // UpY
    {G::Camera, kCont, -4082, 1},         // UpZ
    {G::Blending, kSwitch, 0, 6},         // Blending
    {G::Background, kCont, 0, 0.93},      // BGColorR
    {G::Background, kCont, 0, 0.91},      // BGColorG
    {G::Background, kCont, 0, 0.86},      // BGColorB
    {G::Background, kCont, 0, 1},         // BGColorA
    {G::Blending, kSwitch, 0, 200},       // MotionBlur
}};

constexpr int kBlendingParam = 64, kMotionBlurParam = 69;

// A nudged value keeps four significant digits of its spread, so a child's
// file reads as neatly as a hand-made one.
double Quantised(double value, double spread) {
  const double quantum = std::pow(10.0, std::floor(std::log10(spread)) - 3);
  return std::nearbyint(value / quantum) * quantum;
}

// The value a preset file writes for `value` and reads back unchanged: text
// of at most 15 significant digits parses to a double that prints as the
// same text.
double FileValue(double value, double fallback) {
  const std::optional<std::string> text = TryFloatToPresetText(value);
  return text ? PresetTextToFloat(*text) : fallback;
}

void Nudge(TPresetParams& preset, int number, BreedRandom& random) {
  const ParamBreeding& p = BreedingOf(number);
  const double spread = p.hi - p.lo, old = preset.GetValue(number);
  const double lo = std::min(p.lo, old), hi = std::max(p.hi, old);
  double value = old + (2 * random.Uniform() - 1) * kNudgeShare * spread;
  value = p.trait == Trait::Whole ? std::nearbyint(value) : Quantised(value, spread);
  preset.SetValue(number, std::clamp(value, lo, hi));
}

}  // namespace

const ParamBreeding& BreedingOf(int number) { return kBreeding[static_cast<size_t>(number - 1)]; }
Gene GeneOf(int number) { return BreedingOf(number).gene; }

uint64_t BreedRandom::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double BreedRandom::Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

uint32_t BreedRandom::Below(uint32_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }

TPresetParams Crossover(const TPresetParams& a, const TPresetParams& b, BreedRandom& random) {
  std::array<bool, kGeneCount> fromB{};
  int countB = 0;
  for (bool& gene : fromB) countB += (gene = random.Below(2) == 1) ? 1 : 0;
  // All from one parent would be that parent: one gene comes from the other.
  if (countB == 0 || countB == kGeneCount) {
    bool& flipped = fromB[random.Below(kGeneCount)];
    flipped = !flipped;
  }
  TPresetParams child;
  for (int n = 1; n <= kParamCount; ++n)
    child.SetValue(n, (fromB[static_cast<size_t>(GeneOf(n))] ? b : a).GetValue(n));
  return child;
}

void Mutate(TPresetParams& preset, BreedRandom& random) {
  std::array<int, kParamCount> nudgeable{};
  uint32_t count = 0;
  for (int n = 1; n <= kParamCount; ++n)
    if (BreedingOf(n).trait != Trait::Switch && BreedingOf(n).hi > BreedingOf(n).lo) nudgeable[count++] = n;
  const uint32_t nudges = 1 + random.Below(kMaxNudges);
  for (uint32_t i = 0; i < nudges; ++i) Nudge(preset, nudgeable[random.Below(count)], random);

  if (random.Below(kSwitchOdds) == 0) {
    const double mode = AppliedValue(*FindParam(kBlendingParam), preset.GetValue(kBlendingParam));
    preset.SetValue(kBlendingParam, std::fmod(mode + 1 + random.Below(kBlendingModes - 1), kBlendingModes));
  }
  if (random.Below(kSwitchOdds) == 0) {
    const bool on = AppliedValue(*FindParam(kMotionBlurParam), preset.GetValue(kMotionBlurParam)) != 0;
    preset.SetValue(kMotionBlurParam,
                    on ? 0 : std::nearbyint(kMotionBlurOnLo + random.Uniform() * (kMotionBlurOnHi - kMotionBlurOnLo)));
  }
}

TPresetParams BreedChild(const TPresetParams& a, const TPresetParams& b, uint64_t seed) {
  BreedRandom random(seed);
  TPresetParams child = Crossover(a, b, random);
  Mutate(child, random);
  for (int n = 1; n <= kParamCount; ++n) child.SetValue(n, FileValue(child.GetValue(n), ParamDefault(n)));
  return child;
}

}  // namespace corvane
