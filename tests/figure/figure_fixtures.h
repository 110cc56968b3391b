#pragma once
// Presets and checks shared by the figure layer's tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "figure/figure.h"
#include "figure/geometry.h"
#include "figure/make_geometry.h"
#include "figure/matrix4.h"
#include "support/test_support.h"

namespace corvane::test {

using ParamList = std::vector<std::pair<int, double>>;  // number, value; applied in order
// Everything wanders: stochastity, shifts and rates everywhere, drift along
// all three frame vectors.
ParamList BusyPreset();
// No randomness in the motion (every Shift, ScaleD and Stochastity 0), but
// drift along all three frame vectors.
ParamList FixedPreset();
inline void Apply(Figure& figure, const ParamList& params) {
  for (const auto& [number, value] : params) figure.SetFigureParam(number, value);
}

// 2500 units back on the Z axis, looking at the origin.
Matrix4 CameraAtDistance();

// Line count, newest line, heads, lengths and NumCoords agree with each
// other and with their bounds.
void ExpectSound(const Figure& figure);

struct Geometry {
  uint32_t count = 0;
  std::vector<VertexRecord> vertices;
  std::vector<int32_t> keys;
  std::vector<uint32_t> order;
};
// One maker over `job`'s lines into fresh buffers of `capacity`, with one
// vertex and one key (set to 7) past them to catch overruns; sorts what fits.
Geometry Make(MakeJob job, uint32_t capacity);
// Every line slot through one maker.
Geometry MakeAll(const Figure& figure, const Matrix4& camera);
// The order is a permutation of 1..count with keys ascending as unsigned.
void ExpectSorted(const int32_t* keys, const uint32_t* order, uint32_t count);
inline void ExpectSorted(const Geometry& g) { ExpectSorted(g.keys.data(), g.order.data(), g.count); }

}  // namespace corvane::test
