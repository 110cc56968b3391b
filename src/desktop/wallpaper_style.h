#pragma once
// Wallpaper display styles and the wallpapers-list file (.cvw): one entry a
// line, "Style=path", CR LF line ends.

#include <cstdint>
#include <string>
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

// Every line of the file unchanged (CR LF, LF or CR ends). Raises
// EWallpapersFileError when the file cannot be read.
std::vector<std::string> ReadWallpapersListFile(const std::string& path);
// Raises EWallpapersFileError when the file cannot be written.
void WriteWallpapersListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace corvane
