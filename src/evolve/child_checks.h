#pragma once
// The checks a bred child passes before anyone sees it, from the engine's
// own figure and geometry makers, without a graphics library: it stays
// within the point budget, puts points in the frame, neither as a speck nor
// spilling past the frame, and moves. Measuring (MeasureChild) is kept apart
// from deciding (JudgeChild), which holds every threshold.

#include <cstdint>

#include "figure/preset_params.h"

namespace corvane {

// The points the gallery lets a preset grow to (Lines x Points).
inline constexpr uint64_t kPointBudget = 250000;
// The measuring frame: the saver's 45 degree view at 4:3, cut into the
// cells of a gallery thumbnail.
inline constexpr int kFrameCellsX = 128, kFrameCellsY = 96;

struct ChildMeasures {
  uint64_t points = 0;  // Lines x Points once grown, as the figure takes them
  double inside = 0;    // share of the grown figure's points projected inside the frame
  double coverage = 0;  // share of the frame's cells those points fall in
  double change = 0;    // share of the cells hit then or 3 s of figure time later that are hit only once
};
// Runs the figure as the saver would (the camera of parameters 55..63) and
// measures the made points. The figure draws from the process's generator:
// it is seeded for the run and put back afterwards, so one child always
// measures the same while no other thread draws.
ChildMeasures MeasureChild(const TPresetParams& child);

enum class ChildVerdict { Shown, OverBudget, Empty, OutOfView, Speck, Frozen };
// The first check a child fails, or Shown.
ChildVerdict JudgeChild(const ChildMeasures& measures);
const char* VerdictName(ChildVerdict verdict);

// Children bred for one showing before a parent is shown instead.
inline constexpr int kBreedAttempts = 8;

struct ShownPreset {
  TPresetParams preset;
  uint64_t seed = 0;  // BreedChild(a, b, seed) makes the child again
  int attempts = 0;   // children bred, 1..kBreedAttempts
  bool isChild = false;  // false: no child passed and parent a is shown
};
// Breeds with seed, seed + 1, ... until a child passes the checks and is
// neither parent again.
ShownPreset BreedShownChild(const TPresetParams& a, const TPresetParams& b, uint64_t seed);

}  // namespace corvane
