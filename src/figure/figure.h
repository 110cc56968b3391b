#pragma once
// The figure: an emitter on a wandering 3-D sine curve shooting out short
// drifting lines. Owned and driven by the calculation thread; read by the
// geometry makers while that thread waits for them.

#include <cstddef>
#include <cstdint>

#include "figure/aligned_buffer.h"
#include "os/exception.h"

namespace corvane {

// The calculation thread's error; the figure raises it for bad numbers.
CORVANE_DECLARE_EXCEPTION(ECalcerError);

inline constexpr uint32_t kMaxLines = 10000;
inline constexpr uint32_t kMaxPoints = 100;  // the ring size of every line
inline constexpr uint32_t kFreeLine = 0xFFFFFFFFu;

struct LineRecord {
  uint32_t length;  // kFreeLine: the slot holds no line
  uint32_t head;    // 1..100, ring position of the newest point
  float drift[3];   // constant velocity per tick
};
static_assert(sizeof(LineRecord) == 20, "a line record is 20 bytes");

struct PointSlot {
  float frame[9];  // three mutually perpendicular vectors that shape the solid
  double position[3];
};
static_assert(sizeof(PointSlot) == 64 && offsetof(PointSlot, position) == 40, "a point slot is 64 bytes");

// The 92-double state block: working values first, then the parameter
// copies, parameter n (4..54) at index n + 37.
namespace state {
inline constexpr int kDT = 0, kDTRate = 1;
inline constexpr int kA = 2, kF = 5, kP = 8;
inline constexpr int kARate = 11, kFRate = 14, kPRate = 17;
inline constexpr int kBVRate = 20, kNVRate = 23, kTVRate = 26;
inline constexpr int kNV = 29, kTV = 32, kBV = 35;
inline constexpr int kT = 38;  // phase accumulators
constexpr int ParamIndex(int number) { return number + 37; }
inline constexpr int kStochastity = ParamIndex(4), kIntensity = ParamIndex(5), kDensity = ParamIndex(6);
inline constexpr int kColors = ParamIndex(46);  // R1 R2 R3 G1 G2 G3 B1 B2 B3
inline constexpr int kSize = 92;
}  // namespace state

class Figure {
 public:
  // Parameter copies at their defaults (ColorR2 and ColorB1 at 1.0), working
  // values zero, every line slot free, 333 lines of 33 points as targets.
  Figure();

  // Empties the figure, then RandomizeState.
  void ResetFigure();
  // New current values and rates for every wandering quantity; the phase
  // accumulators restart.
  void RandomizeState();
  // One tick; returns (and keeps) the new NumCoords.
  uint32_t StepFigure();

  // Parameters 1, 2, 4..54; other numbers raise "Wrong parameter number.".
  // Integers are rounded (ties to even) from the absolute value, clamped to
  // their cap, and a NaN gives 0, as NaN colours give 0.
  void SetFigureParam(int number, double value);
  double GetFigureParam(int number) const;

  const double* State() const { return state_.Data(); }
  uint32_t Lines() const { return lines_; }
  uint32_t Points() const { return points_; }
  uint32_t LineCount() const { return lineCount_; }
  uint32_t NewestLine() const { return newest_; }
  uint32_t NumCoords() const { return numCoords_; }
  const LineRecord* Records() const { return records_.Data(); }
  // Ring of line slot `line` (1-based), kMaxPoints slots, position p at p - 1.
  const PointSlot* Rings() const { return rings_.Data(); }
  const LineRecord& Record(uint32_t line) const { return records_[line - 1]; }
  const PointSlot& Point(uint32_t line, uint32_t position) const {
    return rings_[(line - 1) * size_t{kMaxPoints} + position - 1];
  }

 private:
  double& S(int index) const { return state_[static_cast<size_t>(index)]; }
  PointSlot& Slot(uint32_t line, uint32_t position) const {
    return rings_[(line - 1) * size_t{kMaxPoints} + position - 1];
  }
  void FreeAllLines();
  void Bounce(int valueIndex, int rateIndex, int midIndex, double scale);

  AlignedBuffer<double> state_;
  AlignedBuffer<PointSlot> rings_;
  AlignedBuffer<LineRecord> records_;
  uint32_t lines_ = 333;
  uint32_t points_ = 33;
  uint32_t lineCount_ = 0;
  uint32_t newest_ = 0;
  uint32_t numCoords_ = 0;
};

}  // namespace corvane
