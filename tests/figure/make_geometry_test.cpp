#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "figure/kernels.h"
#include "figure/make_geometry.h"
#include "figure_fixtures.h"

namespace corvane {
namespace {

std::vector<uint32_t> Sorted(const std::vector<int32_t>& keys) {
  std::vector<uint32_t> order(keys.size()), scratch(keys.size());
  SortByKeys(keys.data(), static_cast<uint32_t>(keys.size()), order.data(), scratch.data());
  return order;
}

TEST(MakerSort, UnsignedKeysStablyWhicheverBitsVary) {
  EXPECT_EQ(Sorted({-5, -1000, 0}), (std::vector<uint32_t>{3, 2, 1}));  // the eye first, then far to near
  EXPECT_EQ(Sorted({-7}), (std::vector<uint32_t>{1}));
  std::mt19937 rng(5);
  // Many ties throughout; the varying bits pick the way through the sort.
  const struct {
    const char* name;
    uint32_t (*key)(uint32_t r);  // r: a random number below 64
  } cases[] = {
      {"all alike", [](uint32_t) { return 0x80000000u; }},
      {"low byte", [](uint32_t r) { return 0x80000000u | r; }},
      {"eye distances", [](uint32_t r) { return static_cast<uint32_t>(-1 - static_cast<int32_t>(r * 47)); }},
      {"low two bytes, spread wider than the count", [](uint32_t r) { return 0x80000000u | r * 0x0101u; }},
      {"third byte alone", [](uint32_t r) { return 0x80000000u | r << 16; }},
      {"three bytes", [](uint32_t r) { return 0x80000000u | r * 0x010101u; }},
      {"four bytes", [](uint32_t r) { return 0x80000000u | r * 0x01010101u; }},
  };
  for (const auto& c : cases) {
    std::vector<int32_t> keys(5000);
    for (auto& k : keys) k = static_cast<int32_t>(c.key(rng() % 64));
    std::vector<uint32_t> expected(keys.size());
    std::iota(expected.begin(), expected.end(), 1u);
    std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
      return static_cast<uint32_t>(keys[a - 1]) < static_cast<uint32_t>(keys[b - 1]);
    });
    ASSERT_EQ(Sorted(keys), expected) << c.name;
  }
}

// Line slots built by hand in front of an identity camera: points newest
// first at depth z, z - 1, ..., each with the unit frame.
class HandFigure {
 public:
  explicit HandFigure(uint32_t lineCount)
      : records_(lineCount, LineRecord{kFreeLine, 0, {0, 0, 0}}), rings_(lineCount * size_t{kMaxPoints}) {
    Param(5) = 1.0;  // Intensity
    Param(6) = 2.0;  // Density
  }
  double& Param(int n) { return state_[static_cast<size_t>(state::ParamIndex(n))]; }
  void Line(uint32_t slot, uint32_t length, uint32_t head, double z = -100) {
    records_[slot - 1] = LineRecord{length, head, {0, 0, 0}};
    for (uint32_t k = 0, p = head; k < length; ++k, p = p == 1 ? kMaxPoints : p - 1)
      rings_[(slot - 1) * size_t{kMaxPoints} + p - 1] = PointSlot{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, z - k}};
  }
  uint32_t Make(uint32_t first, uint32_t last, uint32_t newest, uint32_t capacity = 1000) {
    g = test::Make({first, last, static_cast<uint32_t>(records_.size()), newest, state_.data(), &camera_,
                    records_.data(), rings_.data()},
                   capacity);
    return g.count;
  }
  test::Geometry g;

 private:
  std::vector<double> state_ = std::vector<double>(state::kSize, 0.0);
  Matrix4 camera_ = kIdentity4;
  std::vector<LineRecord> records_;
  std::vector<PointSlot> rings_;
};

TEST(Maker, AgeColoursTheLinesAndPlaceShapesTheSolids) {
  HandFigure f(4);
  const double weights[9] = {0.2, 0.6, 0.2, 0, 0, 0, 0, 1, 0};  // R: 0 -> 1, 1 -> 0, const; B: 1 -> 0
  for (int c = 0; c < 9; ++c) f.Param(46 + c) = weights[c];
  for (uint32_t slot = 1; slot <= 4; ++slot) f.Line(slot, 3, 5);
  // Newest slot 2, so slots 1..4 have ages 2, 1, 4, 3: slot 3 is the oldest.
  ASSERT_EQ(f.Make(1, 4, 2), 12u);
  EXPECT_EQ(f.g.vertices[6].color[0], 102);  // (weight 1 + weight 3) * 255
  EXPECT_EQ(f.g.vertices[6].color[2], 0);
  for (int k = 6; k < 9; ++k) EXPECT_EQ(f.g.vertices[k].color[3], 0) << k;
  EXPECT_GT(f.g.vertices[3].color[3], f.g.vertices[0].color[3]);  // newest slot 2 before slot 1 before slot 4
  EXPECT_GT(f.g.vertices[0].color[3], f.g.vertices[9].color[3]);
  EXPECT_GT(f.g.vertices[3].color[2], f.g.vertices[0].color[2]);

  f.Line(1, 60, 30);  // along a line: the solids grow and fade to the tail
  ASSERT_EQ(f.Make(1, 1, 1), 60u);
  for (uint32_t k = 1; k < 60; ++k) {
    EXPECT_LT(f.g.vertices[k - 1].axis1[0], f.g.vertices[k].axis1[0]) << k;
    EXPECT_GE(f.g.vertices[k - 1].color[3], f.g.vertices[k].color[3]) << k;
  }
  EXPECT_GT(f.g.vertices[0].color[3], 0);
  EXPECT_EQ(f.g.vertices[59].color[3], 0);
  EXPECT_EQ(f.g.order[0], 60u);  // the deepest first

  f.Line(1, 1, 100);  // a single point: transparent, sized sqrt(Density)
  ASSERT_EQ(f.Make(1, 1, 1), 1u);
  EXPECT_EQ(f.g.vertices[0].color[3], 0);
  EXPECT_FLOAT_EQ(f.g.vertices[0].axis2[1], std::sqrt(2.0f));
}

TEST(Maker, ColourAndOpacityClampNeverWrap) {
  HandFigure f(2);
  const double weights[9] = {0, 50, 0, -3, 0, 0, std::numeric_limits<double>::quiet_NaN(), 0, 0.5};
  for (int c = 0; c < 9; ++c) f.Param(46 + c) = weights[c];
  f.Param(5) = 1e300;
  f.Line(1, 2, 2);
  ASSERT_EQ(f.Make(1, 1, 1), 2u);
  EXPECT_EQ(f.g.vertices[0].color[0], 255);
  EXPECT_EQ(f.g.vertices[0].color[1], 0);
  EXPECT_EQ(f.g.vertices[0].color[2], 0);
  EXPECT_EQ(f.g.vertices[0].color[3], 255 - std::lround(255 * std::sqrt(0.5)));
  f.Param(5) = 0;
  f.Make(1, 1, 1);
  EXPECT_EQ(f.g.vertices[0].color[3], 0);
}

TEST(Maker, ColourAndAlphaBaseRoundAsFloats) {
  // Values a hair off a tie in double sit on the tie as floats, which then
  // round to even; in double they would round the other way.
  struct Case {
    double red, alphaBase;
    int expectedRed, expectedAlpha;
  } cases[] = {{246.5 + 1e-6, 5 + 1e-8, 246, 2}, {101.5 - 1e-6, 7 - 1e-8, 102, 4}};
  for (const Case& c : cases) {
    HandFigure f(2);
    f.Param(48) = c.red / 255;            // ColorR3, whatever the age
    f.Param(5) = c.alphaBase / 255 / 0.5;  // Intensity; slot 1 is the newest of two: f = 1/2
    f.Line(1, 4, 4);
    ASSERT_EQ(f.Make(1, 1, 1), 4u);
    EXPECT_EQ(f.g.vertices[0].color[0], c.expectedRed) << c.red;
    EXPECT_EQ(f.g.vertices[0].color[3], c.expectedAlpha) << c.alphaBase;  // k = 1 of 4: half the base
  }
}

// The vertices of a grown figure, computed point by point as the rule reads,
// with the eye amid the figure so that points fall on both sides of it.
std::vector<VertexRecord> VerticesByTheRule(const Figure& figure, const Matrix4& camera, std::vector<int32_t>& keys) {
  const double* s = figure.State();
  auto asFloat = [](long double x) { return x > 255 ? 255.0f : x > 0 ? static_cast<float>(x) : 0.0f; };
  std::vector<VertexRecord> vertices;
  for (uint32_t i = 1; i <= figure.LineCount(); ++i) {
    const LineRecord& line = figure.Record(i);
    if (line.length == kFreeLine || line.length == 0) continue;
    const uint32_t newest = figure.NewestLine();
    const uint32_t age = newest >= i ? newest - i + 1 : figure.LineCount() - (i - newest - 1);
    const long double f = static_cast<long double>(age) / figure.LineCount();
    VertexRecord v{};
    for (int c = 0; c < 3; ++c) {
      const double* w = s + state::kColors + 3 * c;
      v.color[c] = static_cast<uint8_t>(std::nearbyint(asFloat((w[0] * f + w[1] * (1 - f) + w[2]) * 255)));
    }
    const float alphaBase = asFloat((1 - f) * s[state::kIntensity] * 255);
    for (uint32_t k = 1, position = line.head; k <= line.length; ++k, position = position == 1 ? kMaxPoints : position - 1) {
      const PointSlot& point = figure.Point(i, position);
      const int32_t d = EyeDistance(camera, point.position);
      if (d > 0) continue;
      keys.push_back(d);
      const float size = static_cast<float>(std::sqrt(k * (line.length * s[state::kDensity])));
      for (int a = 0; a < 3; ++a) {
        v.position[a] = static_cast<float>(point.position[a]);
        v.axis1[a] = point.frame[a] * size;
        v.axis2[a] = point.frame[3 + a] * size;
        v.axis3[a] = point.frame[6 + a] * size;
      }
      v.color[3] = static_cast<uint8_t>(std::nearbyint((1 - std::sqrt(static_cast<double>(k) / line.length)) * alphaBase));
      vertices.push_back(v);
    }
  }
  return vertices;
}

TEST(Maker, GrownFigureFollowsTheRulePointByPointWithEitherKernel) {
  Figure figure;
  test::Apply(figure, test::BusyPreset());
  figure.ResetFigure();
  for (int t = 0; t < 70; ++t) figure.StepFigure();  // lines of every length up to 40 and of the full one
  for (uint32_t level : {0u, 4u}) {
    SelectKernels(level);
    std::vector<int32_t> keys;
    const std::vector<VertexRecord> expected = VerticesByTheRule(figure, kIdentity4, keys);
    const test::Geometry g = test::MakeAll(figure, kIdentity4);
    ASSERT_GT(expected.size(), 100u);
    ASSERT_LT(expected.size(), figure.NumCoords());
    ASSERT_EQ(g.count, expected.size()) << level;
    for (uint32_t n = 0; n < g.count; ++n) {
      ASSERT_EQ(g.keys[n], keys[n]) << level << " " << n;
      ASSERT_EQ(std::memcmp(&g.vertices[n], &expected[n], sizeof(VertexRecord)), 0) << level << " " << n;
    }
    test::ExpectSorted(g);
  }
  InitNumericKernels();
}

TEST(Maker, CullingRangesBuffersAndTheEye) {
  HandFigure f(3);
  f.Line(1, 4, 4, -50);
  f.Line(2, 4, 4, 200);  // entirely behind the camera
  f.Line(3, 4, 4, 2);    // z = 2, 1, 0, -1: the point at the eye stays
  ASSERT_EQ(f.Make(1, 3, 3), 4u + 2u);
  const uint8_t alphaOfSlot1 = f.g.vertices[0].color[3];
  EXPECT_EQ(f.g.keys[4], 0);
  EXPECT_EQ(f.g.order[0], 5u);  // before everything in front of the camera
  f.Line(2, 4, 4, -70);       // the culled line still counted for the ages
  ASSERT_EQ(f.Make(1, 3, 3), 10u);
  EXPECT_EQ(f.g.vertices[0].color[3], alphaOfSlot1);
  EXPECT_EQ(f.Make(1, 0, 1), 0u);  // line count 1: maker 1's empty range
  EXPECT_EQ(f.Make(0, 3, 1), 0u);
  // Too small buffers: counted in full, so the caller sees the mismatch,
  // but nothing written past them.
  EXPECT_EQ(f.Make(1, 3, 3, 6), 10u);
  EXPECT_EQ(f.g.keys[6], 7);
  std::vector<uint32_t> written(f.g.order);
  std::sort(written.begin(), written.end());
  for (uint32_t j = 0; j < 6; ++j) EXPECT_EQ(written[j], j + 1);
}

}  // namespace
}  // namespace corvane
