#pragma once
// Wallpaper display styles and the wallpapers-list file (.cvw): one entry a
// line, "Style=path", CR LF line ends.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/exception.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EWallpapersFileError);

enum WallpaperStyle : uint32_t { kStyleCenter = 0, kStyleTile = 1, kStyleStretch = 2 };

// 0 "Center", 1 "Tile", anything else "Stretch".
std::string StyleName(uint32_t style);
// The exact, case-sensitive names; any other text is 0 (Center).
uint32_t StyleFromName(const std::string& name);

// A row of the list as the window shows it: "Style=path", split at the
// first '='.
struct WallpaperRow {
  std::string styleName;
  std::string fileName;
};
WallpaperRow SplitWallpaperRow(const std::string& line);

// A list holds some thousands of images at most, and a row is a style name,
// "=" and a path of at most 260 characters (3 bytes each in UTF-8): a list of
// kMaxWallpaperRows rows fits in kMaxWallpapersListBytes. Larger files are
// refused whole; the window would take minutes to show their rows.
inline constexpr size_t kMaxWallpaperRows = 10000;
inline constexpr size_t kMaxWallpapersListBytes = 8 * 1024 * 1024;

// The lines of a list file's text (CR LF, LF or CR ends), without a UTF-8
// byte-order mark; text that is not UTF-8 is read in the system code page.
// Nothing when there are more than kMaxWallpaperRows lines.
std::optional<std::vector<std::string>> ParseWallpapersListText(std::string_view text);
// The file's lines as ParseWallpapersListText gives them. Raises
// EWallpapersFileError when the file cannot be read or is too large.
std::vector<std::string> ReadWallpapersListFile(const std::string& path);
// Replaces the file once the new text is completely written; raises
// EWallpapersFileError when it cannot be written (the old file stays).
void WriteWallpapersListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace corvane
