#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "os/random.h"

namespace corvane {
namespace {

// The states the generator must pass through after `seed`, in order.
std::vector<uint32_t> LcgStates(uint32_t seed, int count) {
  std::vector<uint32_t> states;
  for (int i = 0; i < count; ++i) states.push_back(seed = seed * 134775813u + 1u);
  return states;
}

TEST(Random, FollowsTheSequenceStaysInRangeAndIsRoughlyUniform) {
  RandomSeed(12345);
  for (uint32_t state : LcgStates(12345, 100)) EXPECT_EQ(Random(), state / 4294967296.0);
  EXPECT_EQ(RandomInt(0), 0u);
  RandomSeed(3);
  double first = Random();
  RandomSeed(3);
  EXPECT_EQ(RandomInt(360), static_cast<uint32_t>(first * 360));  // the state scaled, not a remainder

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
  for (auto& values : seen)
    threads.emplace_back([&values] {
      for (int i = 0; i < kDraws; ++i) values.push_back(static_cast<uint32_t>(Random() * 4294967296.0));
    });
  for (auto& thread : threads) thread.join();

  std::vector<uint32_t> all, expected = LcgStates(99, kThreads * kDraws);
  for (auto& values : seen) all.insert(all.end(), values.begin(), values.end());
  std::sort(all.begin(), all.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(all, expected);
}

}  // namespace
}  // namespace corvane
