#include <gtest/gtest.h>

#include "desktop/wallpaper_style.h"
#include "support/test_support.h"

namespace corvane {
namespace {

TEST(WallpaperStyle, NamesAndNumbers) {
  EXPECT_EQ(StyleName(0), "Center");
  EXPECT_EQ(StyleName(1), "Tile");
  EXPECT_EQ(StyleName(2), "Stretch");
  EXPECT_EQ(StyleName(7), "Stretch");
  EXPECT_EQ(StyleFromName("Tile"), 1u);
  EXPECT_EQ(StyleFromName("Stretch"), 2u);
  EXPECT_EQ(StyleFromName("stretch"), 0u);  // names are case-sensitive
  EXPECT_EQ(StyleFromName(""), 0u);
}

TEST(WallpaperStyle, RowsSplitAtTheFirstEquals) {
  WallpaperRow row = SplitWallpaperRow("Stretch=C:\\Pictures\\a=b.jpg");
  EXPECT_EQ(row.styleName, "Stretch");
  EXPECT_EQ(row.fileName, "C:\\Pictures\\a=b.jpg");
  row = SplitWallpaperRow("no equals");
  EXPECT_EQ(row.styleName, "no equals");
  EXPECT_EQ(row.fileName, "");
}

TEST(WallpapersListFile, WritesCrLfAndReadsEveryLineEnd) {
  test::TempDir dir;
  std::string path = dir.File("list.cvw");
  WriteWallpapersListFile(path, {"Stretch=C:\\sea.jpg", "Tile=D:\\dots.bmp", ""});
  EXPECT_EQ(test::ReadWholeFile(path), "Stretch=C:\\sea.jpg\r\nTile=D:\\dots.bmp\r\n\r\n");
  EXPECT_EQ(ReadWallpapersListFile(path),
            (std::vector<std::string>{"Stretch=C:\\sea.jpg", "Tile=D:\\dots.bmp", ""}));

  test::WriteWholeFile(path, "Center=a\nTile=b\rStretch=c\r\n\r\nlast");
  EXPECT_EQ(ReadWallpapersListFile(path),
            (std::vector<std::string>{"Center=a", "Tile=b", "Stretch=c", "", "last"}));
}

TEST(WallpapersListFile, UnreadableUnwritableOrHugeFilesRaiseAndChangeNothing) {
  test::TempDir dir;
  EXPECT_THROW(ReadWallpapersListFile(dir.File("missing.cvw")), EWallpapersFileError);
  EXPECT_THROW(WriteWallpapersListFile(dir.File("no-such-folder/list.cvw"), {"Center=x"}), EWallpapersFileError);

  const std::string path = dir.File("kept.cvw");
  WriteWallpapersListFile(path, {"Stretch=C:\\kept.jpg"});
#if !defined(_WIN32)
  {
    test::ScopedFileSizeLimit full(10);  // the disk fills part-way through the file
    EXPECT_THROW(WriteWallpapersListFile(path, {"Tile=C:\\a much longer path.jpg"}), EWallpapersFileError);
  }
#endif
  EXPECT_EQ(test::ReadWholeFile(path), "Stretch=C:\\kept.jpg\r\n");
  EXPECT_EQ(test::FileNamesIn(dir.Path()), std::vector<std::string>{"kept.cvw"});

  // Too many rows, or too many bytes even in few rows, are refused whole.
  test::WriteWholeFile(path, std::string(kMaxWallpaperRows, '\n'));
  EXPECT_EQ(ReadWallpapersListFile(path).size(), kMaxWallpaperRows);
  test::WriteWholeFile(path, std::string(kMaxWallpaperRows + 1, '\n'));
  EXPECT_THROW(ReadWallpapersListFile(path), EWallpapersFileError);
  test::WriteWholeFile(path, "Tile=" + std::string(kMaxWallpapersListBytes, 'x'));
  const std::string message = test::Raised<EWallpapersFileError>([&] { ReadWallpapersListFile(path); });
  EXPECT_NE(message.find("holds at most 10000 images"), std::string::npos) << message;
}

TEST(WallpapersListFile, AByteOrderMarkIsDroppedAndAnsiTextIsReadInTheSystemCodePage) {
  const std::string utf8Row = "Tile=C:\\M\xC3\xBCnchen.jpg";
  EXPECT_EQ(ParseWallpapersListText("\xEF\xBB\xBF" + utf8Row + "\r\nCenter=b"),
            (std::vector<std::string>{utf8Row, "Center=b"}));
  EXPECT_EQ(ParseWallpapersListText("Tile=C:\\M\xFCnchen.jpg\r\n"), std::vector<std::string>{utf8Row});
}

}  // namespace
}  // namespace corvane
