#include "figure_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "figure/preset_params.h"

namespace corvane::test {

ParamList BusyPreset() {
  ParamList p = {{1, 40}, {2, 300}, {4, 0.35}, {5, 1.3}, {6, 0.9}, {7, 0.25}, {8, 0.05}, {9, 0.002}};
  const double mids[12] = {400, 350, 300, 1, 1.3, 0.7, -0.6, 0.1, 0.6, 2.5, 1.5, -1};
  for (int q = 0; q < 12; ++q) p.insert(p.end(), {{10 + 3 * q, mids[q]}, {11 + 3 * q, mids[q] * 0.2}, {12 + 3 * q, mids[q] * 0.003}});
  const double colors[9] = {0.2, 1.1, 0, 0, 0.5, 0.1, 1.1, 0, -0.1};
  for (int c = 0; c < 9; ++c) p.push_back({46 + c, colors[c]});
  return p;
}

ParamList FixedPreset() {
  ParamList p = {{1, 25}, {2, 60}, {4, 0}};
  for (int mid = 7; mid <= 43; mid += 3) p.insert(p.end(), {{mid, ParamDefault(mid)}, {mid + 1, 0}, {mid + 2, 0}});
  p.insert(p.end(), {{37, 3}, {40, -2}, {43, 1.5}});  // MidNV, MidTV, MidBV
  return p;
}

Matrix4 CameraAtDistance() {
  Matrix4 m = kIdentity4;
  m[14] = -2500;
  return m;
}

void ExpectSound(const Figure& figure) {
  ASSERT_LE(figure.Lines(), kMaxLines);
  ASSERT_LE(figure.Points(), kMaxPoints);
  ASSERT_LE(figure.NewestLine(), figure.LineCount());
  uint64_t total = 0;
  for (uint32_t r = 1; r <= figure.LineCount(); ++r) {
    const LineRecord& line = figure.Record(r);
    if (line.length == kFreeLine) continue;
    ASSERT_LE(line.length, kMaxPoints) << r;
    ASSERT_TRUE(line.head >= 1 && line.head <= kMaxPoints) << r;
    total += line.length;
  }
  ASSERT_EQ(total, figure.NumCoords());
}

Geometry Make(MakeJob job, uint32_t capacity) {
  Geometry g;
  g.vertices.resize(capacity + 1);
  g.keys.assign(capacity + 1, 7);
  g.order.resize(capacity);
  std::vector<uint32_t> scratch(capacity);
  job.vertices = g.vertices.data();
  job.keys = g.keys.data();
  job.order = g.order.data();
  job.scratch = scratch.data();
  job.capacity = capacity;
  g.count = BuildVertices(job);
  SortByKeys(g.keys.data(), std::min(g.count, capacity), g.order.data(), scratch.data());
  return g;
}

Geometry MakeAll(const Figure& figure, const Matrix4& camera) {
  Geometry g = Make(FigureJob(figure, 1, figure.LineCount(), &camera), figure.NumCoords());
  EXPECT_LE(g.count, figure.NumCoords());
  return g;
}

void ExpectSorted(const int32_t* keys, const uint32_t* order, uint32_t count) {
  std::vector<bool> seen(count + 1, false);
  for (uint32_t j = 0; j < count; ++j) {
    const uint32_t v = order[j];
    ASSERT_TRUE(v >= 1 && v <= count && !seen[v]) << j;
    seen[v] = true;
    if (j > 0) {
      ASSERT_LE(static_cast<uint32_t>(keys[order[j - 1] - 1]), static_cast<uint32_t>(keys[v - 1])) << j;
    }
  }
}

}  // namespace corvane::test
