#include "figure_fixtures.h"

#include <gtest/gtest.h>

#include "figure/make_geometry.h"
#include "figure/preset_params.h"

namespace corvane::test {

ParamList BusyPreset() {
  ParamList p = {{1, 40}, {2, 300}, {4, 0.35}, {5, 1.3}, {6, 0.9}, {7, 0.25}, {8, 0.05}, {9, 0.002}};
  const double mids[12] = {400, 350, 300, 1, 1.3, 0.7, -0.6, 0.1, 0.6, 2.5, 1.5, -1};
  for (int q = 0; q < 12; ++q) {
    const int mid = 10 + 3 * q;
    p.push_back({mid, mids[q]});
    p.push_back({mid + 1, mids[q] * 0.2});
    p.push_back({mid + 2, mids[q] * 0.003});
  }
  const double colors[9] = {0.2, 1.1, 0, 0, 0.5, 0.1, 1.1, 0, -0.1};
  for (int c = 0; c < 9; ++c) p.push_back({46 + c, colors[c]});
  return p;
}

ParamList FixedPreset() {
  ParamList p = {{1, 25}, {2, 60}, {4, 0}};
  for (int mid = 7; mid <= 43; mid += 3) p.push_back({mid, ParamDefault(mid)}), p.push_back({mid + 1, 0}), p.push_back({mid + 2, 0});
  p.push_back({37, 3});    // MidNV
  p.push_back({40, -2});   // MidTV
  p.push_back({43, 1.5});  // MidBV
  return p;
}

Matrix4 CameraAtDistance(double distance) {
  Matrix4 m = kIdentity4;
  m[14] = -distance;
  return m;
}

void ExpectSound(const Figure& figure) {
  ASSERT_LE(figure.Lines(), kMaxLines);
  ASSERT_LE(figure.Points(), kMaxPoints);
  ASSERT_LE(figure.LineCount(), kMaxLines);
  ASSERT_LE(figure.NewestLine(), figure.LineCount());
  uint64_t total = 0;
  for (uint32_t r = 1; r <= figure.LineCount(); ++r) {
    const LineRecord& line = figure.Record(r);
    if (line.length == kFreeLine) continue;
    ASSERT_LE(line.length, kMaxPoints) << r;
    ASSERT_GE(line.head, 1u) << r;
    ASSERT_LE(line.head, kMaxPoints) << r;
    total += line.length;
  }
  ASSERT_EQ(total, figure.NumCoords());
}

Geometry MakeAll(const Figure& figure, const Matrix4& camera) {
  Geometry g;
  const uint32_t capacity = figure.NumCoords();
  g.vertices.resize(capacity);
  g.keys.resize(capacity);
  g.order.resize(capacity);
  std::vector<uint32_t> scratch(capacity);
  MakeJob job = FigureJob(figure, 1, figure.LineCount(), &camera);
  job.vertices = g.vertices.data();
  job.keys = g.keys.data();
  job.order = g.order.data();
  job.scratch = scratch.data();
  job.capacity = capacity;
  g.count = BuildVertices(job);
  EXPECT_LE(g.count, capacity);
  SortByKeys(g.keys.data(), g.count, g.order.data(), scratch.data());
  return g;
}

void ExpectSorted(const Geometry& g) {
  std::vector<bool> seen(g.count + 1, false);
  for (uint32_t j = 0; j < g.count; ++j) {
    const uint32_t v = g.order[j];
    ASSERT_TRUE(v >= 1 && v <= g.count && !seen[v]) << j;
    seen[v] = true;
    if (j > 0) {
      ASSERT_LE(static_cast<uint32_t>(g.keys[g.order[j - 1] - 1]), static_cast<uint32_t>(g.keys[v - 1])) << j;
    }
  }
}

}  // namespace corvane::test
