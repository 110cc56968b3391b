#pragma once
// Breeding: a child preset from two parents and a seed, the same child for
// the same three on every platform. The 69 parameters fall into genes,
// groups that only mean something together (an axis of the emitter's path,
// the drift, the colours, the camera, ...); the child takes every gene whole
// from one parent, so it resembles both, then a few values are nudged and
// now and then a blending mode or motion blur is switched.

#include <cstdint>

#include "figure/preset_params.h"

namespace corvane {

enum class Gene { EmitterX, EmitterY, EmitterZ, Drift, Counts, Pace, Colours, Blending, Background, Camera };
inline constexpr int kGeneCount = 10;
// The gene of parameter 1..69.
Gene GeneOf(int number);

// How mutation treats a parameter: nudged as a number, nudged and rounded
// to a whole number, or switched between a few settings.
enum class Trait { Continuous, Whole, Switch };
// What the shipped gallery shows for a parameter: its least and greatest
// value. Mutation nudges by a fraction of that spread and keeps within it,
// or within the parent's value where the parent lies outside.
struct ParamBreeding {
  Gene gene;
  Trait trait;
  double lo, hi;
};
const ParamBreeding& BreedingOf(int number);

// A nudge moves a value by at most this share of its gallery spread.
inline constexpr double kNudgeShare = 0.1;
inline constexpr int kMaxNudges = 3;
// Each switch happens once in this many children.
inline constexpr uint32_t kSwitchOdds = 8;
// Motion blur switched on takes a weight from this range.
inline constexpr double kMotionBlurOnLo = 100, kMotionBlurOnHi = 200;
inline constexpr int kBlendingModes = 7;

// splitmix64 and a mapping of its output written out here: the standard
// library's distributions give other numbers with other libraries.
class BreedRandom {
 public:
  explicit BreedRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform();            // [0, 1), 53 bits
  uint32_t Below(uint32_t n);  // 0..n-1

 private:
  uint64_t state_;
};

// Each gene whole from one parent, and at least one from each.
TPresetParams Crossover(const TPresetParams& a, const TPresetParams& b, BreedRandom& random);
// Nudges 1..kMaxNudges values of a gallery spread above zero; switches
// Blending to another mode and MotionBlur on or off, each once in
// kSwitchOdds.
void Mutate(TPresetParams& preset, BreedRandom& random);
// Crossover then Mutate, every value then brought to the nearest one a
// preset file holds and reads back unchanged (a value no file can hold
// becomes the parameter's default).
TPresetParams BreedChild(const TPresetParams& a, const TPresetParams& b, uint64_t seed);

}  // namespace corvane
