#pragma once
// Presets and checks shared by the figure layer's tests.

#include <cstdint>
#include <vector>

#include "figure/figure.h"
#include "figure/geometry.h"
#include "figure/matrix4.h"

namespace corvane::test {

// Number/value pairs; applied in order.
using ParamList = std::vector<std::pair<int, double>>;

// Everything wanders: stochastity, shifts and rates on every quantity, and
// drift weights on all three frame vectors.
ParamList BusyPreset();
// No randomness in the motion: every Shift and ScaleD 0, Stochastity 0, but
// drift along all three frame vectors.
ParamList FixedPreset();
template <class Target>
void Apply(Target& target, const ParamList& params) {
  for (const auto& [number, value] : params) target.SetFigureParam(number, value);
}

// A camera 2500 units back on the Z axis, looking at the origin.
Matrix4 CameraAtDistance(double distance = 2500);

// Line count, newest line, heads, lengths and NumCoords agree with each
// other and with their bounds.
void ExpectSound(const Figure& figure);

// Every line slot 1..line count through one maker, as the calculation
// thread's buffers would hold it.
struct Geometry {
  uint32_t count = 0;
  std::vector<VertexRecord> vertices;
  std::vector<int32_t> keys;
  std::vector<uint32_t> order;
};
Geometry MakeAll(const Figure& figure, const Matrix4& camera);
// The order is a permutation of 1..count with keys ascending as unsigned.
void ExpectSorted(const Geometry& g);

}  // namespace corvane::test
