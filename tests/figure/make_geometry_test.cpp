#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "figure/make_geometry.h"

namespace corvane {
namespace {

std::vector<uint32_t> Sorted(const std::vector<int32_t>& keys) {
  std::vector<uint32_t> order(keys.size()), scratch(keys.size());
  SortByKeys(keys.data(), static_cast<uint32_t>(keys.size()), order.data(), scratch.data());
  return order;
}

TEST(MakerSort, KeysAscendAsUnsignedSoTheEyeComesFirst) {
  EXPECT_EQ(Sorted({-5, -1000, 0}), (std::vector<uint32_t>{3, 2, 1}));
  EXPECT_EQ(Sorted({-7}), (std::vector<uint32_t>{1}));
  uint32_t untouched = 99;
  SortByKeys(nullptr, 0, &untouched, nullptr);
  EXPECT_EQ(untouched, 99u);
}

TEST(MakerSort, StableForEveryNumberOfVaryingKeyBytes) {
  std::mt19937 rng(5);
  // Keys varying in no byte, in byte 0 only, in bytes 0-1 (eye distances),
  // 0-2, and in all four: every parity of the passes actually needed.
  const uint32_t spans[] = {0, 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF};
  for (uint32_t span : spans) {
    for (uint32_t n : {2u, 17u, 5000u}) {
      std::vector<int32_t> keys(n);
      for (auto& k : keys) k = static_cast<int32_t>(0x80000000u | (rng() % 64 * 0x01010101u & span));
      std::vector<uint32_t> expected(n);
      std::iota(expected.begin(), expected.end(), 1u);
      std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
        return static_cast<uint32_t>(keys[a - 1]) < static_cast<uint32_t>(keys[b - 1]);
      });
      ASSERT_EQ(Sorted(keys), expected) << std::hex << span << " " << std::dec << n;
    }
  }
}

// A figure built by hand: slots with chosen lengths and heads, every point
// in front of an identity camera, each with the unit frame.
class HandFigure {
 public:
  explicit HandFigure(uint32_t lineCount)
      : records_(lineCount, LineRecord{kFreeLine, 0, {0, 0, 0}}), rings_(lineCount * size_t{kMaxPoints}) {
    state_[state::kIntensity] = 1.0;
    state_[state::kDensity] = 2.0;
    SetColors({0, 1, 0, 0, 1, 0, 0, 1, 0});
  }
  void SetColors(std::vector<double> w) { std::copy(w.begin(), w.end(), state_.begin() + state::kColors); }
  double& Param(int n) { return state_[static_cast<size_t>(state::ParamIndex(n))]; }

  // Points newest first at depth z, z - 1, ...: farther along the tail.
  void Line(uint32_t slot, uint32_t length, uint32_t head, double z = -100) {
    records_[slot - 1] = LineRecord{length, head, {0, 0, 0}};
    for (uint32_t k = 0, p = head; k < length; ++k, p = p == 1 ? kMaxPoints : p - 1) {
      PointSlot& s = rings_[(slot - 1) * size_t{kMaxPoints} + p - 1];
      s = PointSlot{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, z - k}};
    }
  }

  uint32_t Make(uint32_t first, uint32_t last, uint32_t newest, uint32_t capacity = 1000) {
    vertices.assign(capacity + 1, VertexRecord{});
    keys.assign(capacity + 1, 7);
    order.assign(capacity, 0);
    scratch.assign(capacity, 0);
    MakeJob job{first, last, static_cast<uint32_t>(records_.size()), newest, state_.data(), &camera_,
                records_.data(), rings_.data(), vertices.data(), keys.data(), order.data(), scratch.data(),
                capacity};
    const uint32_t n = BuildVertices(job);
    SortByKeys(keys.data(), std::min(n, capacity), order.data(), scratch.data());
    return n;
  }

  std::vector<VertexRecord> vertices;
  std::vector<int32_t> keys;
  std::vector<uint32_t> order, scratch;

 private:
  std::vector<double> state_ = std::vector<double>(state::kSize, 0.0);
  Matrix4 camera_ = kIdentity4;
  std::vector<LineRecord> records_;
  std::vector<PointSlot> rings_;
};

TEST(Maker, AgeColoursTheLinesAndTheOldestIsTransparent) {
  HandFigure f(4);
  f.SetColors({0.2, 0.6, 0.2, 0, 0, 0, 0, 1, 0});
  for (uint32_t slot = 1; slot <= 4; ++slot) f.Line(slot, 3, 5);
  // Newest slot 2: ages 2, 1, 4, 3 for slots 1..4; slot 3 is the oldest.
  ASSERT_EQ(f.Make(1, 4, 2), 12u);
  const VertexRecord& oldest = f.vertices[6];
  EXPECT_EQ(oldest.color[0], 102);  // (0.2 + 0.2) * 255
  EXPECT_EQ(oldest.color[1], 0);
  EXPECT_EQ(oldest.color[2], 0);
  for (int k = 6; k < 9; ++k) EXPECT_EQ(f.vertices[k].color[3], 0) << k;
  const VertexRecord& newest = f.vertices[3];
  EXPECT_GT(newest.color[3], f.vertices[0].color[3]);
  EXPECT_GT(f.vertices[0].color[3], f.vertices[9].color[3]);
  EXPECT_GT(newest.color[2], f.vertices[0].color[2]);  // weight 2 fades from 1 to 0
}

TEST(Maker, SolidsGrowAndFadeTowardsTheTail) {
  HandFigure f(3);
  f.Line(1, 60, 30);
  ASSERT_EQ(f.Make(1, 1, 1), 60u);
  for (uint32_t k = 1; k < 60; ++k) {
    EXPECT_LT(f.vertices[k - 1].axis1[0], f.vertices[k].axis1[0]) << k;
    EXPECT_GE(f.vertices[k - 1].color[3], f.vertices[k].color[3]) << k;
  }
  EXPECT_GT(f.vertices[0].color[3], 0);
  EXPECT_EQ(f.vertices[59].color[3], 0);  // the oldest kept point
  // Far to near: the tail (deepest) first.
  EXPECT_EQ(f.order[0], 60u);
  EXPECT_EQ(f.order[59], 1u);

  f.Line(1, 1, 100);  // a single point: transparent, sized sqrt(Density)
  ASSERT_EQ(f.Make(1, 1, 3), 1u);
  EXPECT_EQ(f.vertices[0].color[3], 0);
  EXPECT_FLOAT_EQ(f.vertices[0].axis2[1], std::sqrt(2.0f));
  EXPECT_FLOAT_EQ(f.vertices[0].axis3[2], std::sqrt(2.0f));

  f.Param(5) = 0;  // Intensity 0: nothing is opaque
  f.Line(1, 60, 30);
  f.Make(1, 1, 1);
  for (uint32_t k = 0; k < 60; ++k) EXPECT_EQ(f.vertices[k].color[3], 0);
}

TEST(Maker, ColourWeightsClampAndNeverWrap) {
  HandFigure f(2);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  f.SetColors({0, 50, 0, -3, 0, 0, nan, 0, 0.5});
  f.Line(1, 2, 2);
  ASSERT_EQ(f.Make(1, 1, 1), 2u);
  EXPECT_EQ(f.vertices[0].color[0], 255);
  EXPECT_EQ(f.vertices[0].color[1], 0);
  EXPECT_EQ(f.vertices[0].color[2], 0);
  f.Param(5) = 1e300;  // so is the opacity
  f.Make(1, 1, 1);
  EXPECT_EQ(f.vertices[0].color[3], 255 - std::lround(255 * std::sqrt(0.5)));
}

TEST(Maker, CullingRangesAndTheEye) {
  HandFigure f(3);
  f.Line(1, 4, 4, -50);
  f.Line(2, 4, 4, 200);  // entirely behind the camera
  f.Line(3, 4, 4, 2);    // points at z = 2, 1, 0, -1: the one at the eye stays
  ASSERT_EQ(f.Make(1, 3, 3), 4u + 2u);
  const uint32_t ageOfSlot1 = f.vertices[0].color[3];
  EXPECT_EQ(f.keys[4], 0);
  EXPECT_EQ(f.keys[5], -1);
  EXPECT_EQ(f.order[0], 5u);  // the eye point before everything in front
  // The culled line still counts for the others' ages.
  f.Line(2, 4, 4, -70);
  ASSERT_EQ(f.Make(1, 3, 3), 4u + 4u + 2u);
  EXPECT_EQ(f.vertices[0].color[3], ageOfSlot1);

  EXPECT_EQ(f.Make(1, 0, 1), 0u);  // line count 1: maker 1's empty range
  EXPECT_EQ(f.Make(0, 3, 1), 0u);
  EXPECT_EQ(f.Make(3, 2, 1), 0u);
}

TEST(Maker, NeverWritesPastItsBuffers) {
  HandFigure f(2);
  f.Line(1, 30, 10);
  f.Line(2, 30, 10);
  EXPECT_EQ(f.Make(1, 2, 2, 40), 60u);  // counted in full, so the caller sees the mismatch
  EXPECT_EQ(f.keys[40], 7);              // the element after the buffer
  std::vector<uint32_t> sortedOrder(f.order.begin(), f.order.end());
  std::sort(sortedOrder.begin(), sortedOrder.end());
  for (uint32_t j = 0; j < 40; ++j) EXPECT_EQ(sortedOrder[j], j + 1);
}

}  // namespace
}  // namespace corvane
