#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "os/random.h"

namespace corvane {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
  RandomSeed(12345);
  uint32_t seed = 12345;
  for (int i = 0; i < 100; ++i) {
    seed = seed * 134775813u + 1u;
    EXPECT_EQ(Random(), seed / 4294967296.0);
  }
  RandomSeed(0);
  EXPECT_EQ(RandomInt(360), static_cast<uint32_t>((uint64_t{1} * 360) >> 32));
  EXPECT_EQ(RandomInt(0), 0u);
}

TEST(Random, StaysInRangeAndIsRoughlyUniform) {
  RandomSeed(7);
  std::vector<int> buckets(10);
  for (int i = 0; i < 100000; ++i) {
    double value = Random();
    ASSERT_GE(value, 0.0);
    ASSERT_LT(value, 1.0);
    ++buckets[static_cast<size_t>(value * 10)];
    ASSERT_LT(RandomInt(7), 7u);
  }
  for (int count : buckets) EXPECT_NEAR(count, 10000, 500);
}

// Threads drawing at once must each consume whole steps of the one sequence:
// together they see exactly the states a single thread would have seen.
TEST(Random, ConcurrentDrawsShareOneSequenceWithoutLoss) {
  constexpr int kThreads = 4, kDraws = 20000;
  RandomSeed(99);
  std::vector<std::vector<uint32_t>> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&seen, t] {
      for (int i = 0; i < kDraws; ++i) seen[t].push_back(static_cast<uint32_t>(Random() * 4294967296.0));
    });
  for (auto& thread : threads) thread.join();

  std::vector<uint32_t> all;
  for (auto& values : seen) all.insert(all.end(), values.begin(), values.end());
  std::vector<uint32_t> expected;
  uint32_t seed = 99;
  for (int i = 0; i < kThreads * kDraws; ++i) expected.push_back(seed = seed * 134775813u + 1u);
  std::sort(all.begin(), all.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(all, expected);
}

}  // namespace
}  // namespace corvane
