#include "render/pixel_format_rules.h"

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

TEST(PixelFormatRequests, TrueColourStopsAfterTheFirstAndSixteenBitFallsBackToSoftware) {
  const PixelFormatRequest first = FirstPixelFormatRequest();
  EXPECT_EQ(first.flags, pfd::kDrawToWindow | pfd::kSupportOpenGL | pfd::kDoubleBuffer);
  EXPECT_EQ(first.colorBits, 32);
  EXPECT_EQ(first.accumBits, 64);
  EXPECT_FALSE(NextPixelFormatRequest(1, {pfd::kDoubleBuffer, 32}));
  // A software format on the first request alone asks for nothing more.
  EXPECT_FALSE(NextPixelFormatRequest(1, {pfd::kGenericFormat, 32}));

  // A 16-bit desktop falls back to software, then without alpha.
  const auto second = NextPixelFormatRequest(1, {pfd::kDoubleBuffer, 16});
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->flags & pfd::kDepthDontCare);
  EXPECT_EQ(second->colorBits, 24);
  EXPECT_EQ(second->alphaBits, 8);
  EXPECT_EQ(second->accumBits, 32);
  EXPECT_EQ(second->depthBits, 0);

  // Only an unaccelerated generic format earns the third request.
  EXPECT_FALSE(NextPixelFormatRequest(2, {pfd::kGenericFormat | pfd::kGenericAccelerated, 16}));
  EXPECT_FALSE(NextPixelFormatRequest(2, {0, 16}));
  const auto third = NextPixelFormatRequest(2, {pfd::kGenericFormat, 16});
  ASSERT_TRUE(third);
  EXPECT_EQ(third->alphaBits, 0);
  EXPECT_EQ(third->flags, second->flags);
  EXPECT_EQ(third->accumBits, second->accumBits);
  EXPECT_FALSE(NextPixelFormatRequest(3, {pfd::kGenericFormat, 16}));
}

TEST(PaletteEntries, EachChannelSpreadsOverTheFullRangeAndDegenerateLayoutsAreSafe) {
  const auto entries = PaletteEntries({8, 3, 0, 3, 3, 2, 6});
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries.front(), (PaletteColor{0, 0, 0}));
  EXPECT_EQ(entries.back(), (PaletteColor{255, 255, 255}));
  std::set<int> reds, greens, blues;
  for (const PaletteColor& c : entries) {
    reds.insert(c.red);
    greens.insert(c.green);
    blues.insert(c.blue);
  }
  EXPECT_EQ(reds.size(), 8u);
  EXPECT_EQ(greens.size(), 8u);
  EXPECT_EQ(blues, (std::set<int>{0, 85, 170, 255}));
  // Each channel reads only its own bits of the index.
  EXPECT_EQ(entries[0b00000111], (PaletteColor{255, 0, 0}));
  EXPECT_EQ(entries[0b00111000], (PaletteColor{0, 255, 0}));
  EXPECT_EQ(entries[0b11000000], (PaletteColor{0, 0, 255}));

  // Degenerate layouts: no division by zero and no huge palette.
  const auto noBlue = PaletteEntries({4, 2, 0, 2, 2, 0, 4});
  ASSERT_EQ(noBlue.size(), 16u);
  for (const PaletteColor& c : noBlue) EXPECT_EQ(c.blue, 0);
  EXPECT_TRUE(PaletteEntries({16, 5, 0, 6, 5, 5, 11}).empty());
  EXPECT_TRUE(PaletteEntries({0, 0, 0, 0, 0, 0, 0}).empty());
}

}  // namespace
}  // namespace corvane
