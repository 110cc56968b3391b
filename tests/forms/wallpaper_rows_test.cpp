#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/wallpapers/wallpaper_rows.h"
#include "presets/memory_registry.h"
#include "presets/test_registry.h"

namespace corvane {
namespace {

using Rows = std::vector<std::string>;

TEST(WallpaperRows, StyleCycleLeavesUnknownStylesAlone) {
  struct Case {
    std::string row, cycled;
  } cases[] = {
      {"Center=C:\\a=b.jpg", "Tile=C:\\a=b.jpg"},
      {"Tile=x", "Stretch=x"},
      {"Stretch=x", "Center=x"},
      {"stretch=x", "stretch=x"},
      {"", ""},
      {"Tile", "Stretch"},
  };
  for (const Case& c : cases) EXPECT_EQ(CycleRowStyle(c.row), c.cycled) << c.row;
}

TEST(WallpaperRows, ChangerBoxCaptionFollowsRowsAndMark) {
  EXPECT_EQ(ChangerBoxFor(2, true), (ChangerBox{true, "Changer ON"}));
  EXPECT_EQ(ChangerBoxFor(2, false), (ChangerBox{true, "Changer ON"}));
  EXPECT_EQ(ChangerBoxFor(0, false), (ChangerBox{false, "Changer ON"}));
  // Every row deleted under a checked box: the changer will be stored off.
  ChangerBox emptied = ChangerBoxFor(0, true);
  EXPECT_EQ(emptied, (ChangerBox{false, "Changer OFF"}));
  EXPECT_FALSE(ChangerStateToSave(true, emptied.caption));
  EXPECT_TRUE(ChangerStateToSave(true, ChangerBoxFor(1, true).caption));
  EXPECT_FALSE(ChangerStateToSave(false, "Changer ON"));
}

TEST(WallpaperRows, ImagesChosenTogetherAppendTheFirstLast) {
  EXPECT_EQ(RowsForImages({"a", "b", "c"}), (Rows{"Stretch=b", "Stretch=c", "Stretch=a"}));
  EXPECT_EQ(RowsForImages({"a"}), (Rows{"Stretch=a"}));
  EXPECT_EQ(RowsForImages({}), Rows{});
}

TEST(WallpaperRows, GesturesOnTheList) {
  // Double click counts only after a press in the file column; Space always.
  EXPECT_EQ(ActionFor(ListGesture::DoubleClick, 0, 0, 1), RowAction::None);
  EXPECT_EQ(ActionFor(ListGesture::DoubleClick, 1, 0, 1), RowAction::CycleStyle);
  EXPECT_EQ(ActionFor(ListGesture::Space, 0, 0, 1), RowAction::CycleStyle);
  EXPECT_EQ(ActionFor(ListGesture::Insert, 0, 0, 1), RowAction::Apply);
  for (ListGesture gesture : {ListGesture::DoubleClick, ListGesture::Space, ListGesture::Insert}) {
    EXPECT_EQ(ActionFor(gesture, 1, -1, 1), RowAction::None);  // no current row
    EXPECT_EQ(ActionFor(gesture, 1, 0, 0), RowAction::None);   // no rows
  }
}

class WallpaperRowsStore : public ::testing::Test {
 protected:
  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{memory_};
};

TEST_F(WallpaperRowsStore, SeventeenRowsGetHexKeysInOrder) {
  Rows rows;
  for (int i = 0; i < 17; ++i) rows.push_back("Tile=C:\\" + std::to_string(i) + ".bmp");
  ASSERT_TRUE(StoreWallpaperRows(rows, true));

  std::vector<WallpaperListItem> stored;
  ASSERT_TRUE(LoadWallpapersList(stored));
  ASSERT_EQ(stored.size(), 17u);
  EXPECT_EQ(stored.front().key, "WP00000000");
  EXPECT_EQ(stored[9].key, "WP00000009");
  EXPECT_EQ(stored[10].key, "WP0000000A");
  EXPECT_EQ(stored.back().key, "WP00000010");
  EXPECT_EQ(stored.back().wallpaper, (TWallpaper{1, "C:\\16.bmp"}));
  EXPECT_EQ(LoadWallpaperRows(), rows);
  bool on = false;
  EXPECT_TRUE(ReadWallpapersState(on));
  EXPECT_TRUE(on);
}

TEST_F(WallpaperRowsStore, StylesAreReadStrictlyAndShownByName) {
  ASSERT_TRUE(StoreWallpaperRows({"stretch=a.jpg", "Stretch=b.jpg", "odd"}, false));
  std::vector<WallpaperListItem> stored;
  ASSERT_TRUE(LoadWallpapersList(stored));
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0].wallpaper, (TWallpaper{0, "a.jpg"}));
  EXPECT_EQ(stored[1].wallpaper, (TWallpaper{2, "b.jpg"}));
  EXPECT_EQ(stored[2].wallpaper, (TWallpaper{0, ""}));

  EXPECT_EQ(RowsFromWallpapers({{"WP00000000", {7, "x.png"}}, {"WP00000001", {1, "y.png"}}}),
            (Rows{"Stretch=x.png", "Tile=y.png"}));
}

TEST_F(WallpaperRowsStore, StoringFewerRowsDropsTheOldOnes) {
  ASSERT_TRUE(StoreWallpaperRows({"Center=a", "Tile=b", "Stretch=c"}, true));
  ASSERT_TRUE(StoreWallpaperRows({}, false));
  EXPECT_EQ(LoadWallpaperRows(), Rows{});
  bool on = true;
  ReadWallpapersState(on);
  EXPECT_FALSE(on);
}

}  // namespace
}  // namespace corvane
