#include "drawer/snapshot.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

TEST(Snapshot, FileNameReadsDayMonthYearThenTime) {
  std::tm t{};
  t.tm_mday = 5, t.tm_mon = 11, t.tm_year = 126, t.tm_hour = 14, t.tm_min = 3, t.tm_sec = 9;
  EXPECT_EQ(SnapshotFileName("dir/", t), "dir/_ScreenShot_05-12-2026_14-03-09_.bmp");
}

TEST(Snapshot, BmpKeepsRowsBottomUpInBlueGreenRedWithPaddedRows) {
  PixelBlock block;
  block.width = 3;
  block.height = 2;
  block.pixels = std::make_unique<uint8_t[]>(18);
  for (int i = 0; i < 18; ++i) block.pixels[i] = static_cast<uint8_t>(i + 1);
  const std::vector<uint8_t> bmp = EncodeBmp(block);
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 10), 54u);
  EXPECT_EQ(Read32(bmp, 18), 3u);
  EXPECT_EQ(Read32(bmp, 22), 2u);  // positive height: bottom row first
  EXPECT_EQ(bmp[28], 24);
  // The block's rows are already bottom-up (R G B = 1 2 3 first); each row
  // of nine bytes is padded to twelve.
  const std::vector<uint8_t> pixels(bmp.begin() + 54, bmp.end());
  EXPECT_EQ(pixels, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0,  //
                                          12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0}));
}

}  // namespace
}  // namespace corvane
