#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <vector>

#include "desktop/wallpaper_changer.h"
#include "desktop/wallpaper_style.h"
#include "os/text_win32.h"
#include "presets/registry_store.h"
#include "presets/test_registry.h"
#include "support/test_support.h"

namespace corvane {
namespace {

std::string DesktopValue(const wchar_t* name) {
  wchar_t value[1024] = L"";
  DWORD size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, value, &size);
  return Narrow(value);
}

std::string CurrentWallpaper() {
  wchar_t path[MAX_PATH] = L"";
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return Narrow(path);
}

// Keeps the desktop's wallpaper and its style values, and puts them back:
// the tests must leave the user's desktop as they found it.
class SavedDesktop {
 public:
  SavedDesktop() {
    wchar_t path[MAX_PATH] = L"";
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    wallpaper_ = path;
    for (Value& value : values_) value.data = Read(value.name, value.type);
  }
  ~SavedDesktop() {
    for (const Value& value : values_) Write(value);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wallpaper_.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    for (const Value& value : values_) Write(value);  // exactly as they were, whatever the call stored
  }
  SavedDesktop(const SavedDesktop&) = delete;
  SavedDesktop& operator=(const SavedDesktop&) = delete;

 private:
  struct Value {
    const wchar_t* name;
    DWORD type = REG_NONE;
    std::optional<std::vector<BYTE>> data;  // empty: the value did not exist
  };
  static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";

  static std::optional<std::vector<BYTE>> Read(const wchar_t* name, DWORD& type) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    data.resize(size);
    return data;
  }
  static void Write(const Value& value) {
    if (!value.data) {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, value.name);
      return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, value.name, value.type, value.data->data(),
                    static_cast<DWORD>(value.data->size()));
  }

  std::wstring wallpaper_;
  Value values_[3] = {{L"Wallpaper"}, {L"TileWallpaper"}, {L"WallpaperStyle"}};
};

class WallpaperChanger : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { saved_ = new SavedDesktop; }
  static void TearDownTestSuite() {
    delete saved_;
    saved_ = nullptr;
  }

  void SetUp() override {
    image_ = dir_.File("picture.bmp");
    other_ = dir_.File("other.bmp");
    // A minimal valid 1x1 24-bit bitmap.
    const unsigned char bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0,
                                 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0};
    std::string bytes(reinterpret_cast<const char*>(bmp), sizeof bmp);
    test::WriteWholeFile(image_, bytes);
    test::WriteWholeFile(other_, bytes);
    ApplyWallpaper(0, other_);
  }

  static SavedDesktop* saved_;
  test::TempDir dir_;
  test::ScopedTestRegistry registry_{SystemRegistry()};
  std::string image_, other_;
};

SavedDesktop* WallpaperChanger::saved_ = nullptr;

TEST_F(WallpaperChanger, TheDesktopGetsBackItsWallpaperAndStyle) {
  ApplyWallpaper(kStyleTile, image_);
  {
    SavedDesktop saved;
    ApplyWallpaper(kStyleStretch, other_);
    ASSERT_EQ(CurrentWallpaper(), other_);
  }
  EXPECT_EQ(CurrentWallpaper(), image_);
  EXPECT_EQ(DesktopValue(L"Wallpaper"), image_);
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), "1");
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), "0");
}

TEST_F(WallpaperChanger, ApplySetsPictureAndStyleAndIgnoresMissingFiles) {
  ApplyWallpaper(kStyleTile, image_);
  EXPECT_EQ(CurrentWallpaper(), image_);
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), "1");
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), "0");

  ApplyWallpaper(kStyleStretch, other_);
  EXPECT_EQ(CurrentWallpaper(), other_);
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), "0");
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), "2");

  ApplyWallpaper(kStyleCenter, dir_.File("missing.bmp"));
  EXPECT_EQ(CurrentWallpaper(), other_);
}

TEST_F(WallpaperChanger, RandomChangeNeedsTheChangerOnAndAnExistingPicture) {
  SaveWallpapersList({{"WP00000000", {kStyleTile, image_}}});
  ChangeWallpaperAtRandom();  // State was removed by the save: off
  EXPECT_EQ(CurrentWallpaper(), other_);

  WriteWallpapersState(true);
  SaveWallpapersList(std::vector<WallpaperListItem>{});
  WriteWallpapersState(true);
  ChangeWallpaperAtRandom();  // on, but the list is empty
  EXPECT_EQ(CurrentWallpaper(), other_);

  SaveWallpapersList({{"WP00000000", {kStyleTile, dir_.File("gone.bmp")}}});
  WriteWallpapersState(true);
  ChangeWallpaperAtRandom();  // the only entry is missing
  EXPECT_EQ(CurrentWallpaper(), other_);

  SaveWallpapersList({{"WP00000000", {kStyleTile, image_}}});
  WriteWallpapersState(true);
  ChangeWallpaperAtRandom();
  EXPECT_EQ(CurrentWallpaper(), image_);
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), "1");
}

}  // namespace
}  // namespace corvane
