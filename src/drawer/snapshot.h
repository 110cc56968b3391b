#pragma once
// Snapshots of the drawn figure as Windows BMP files.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "render/renderer.h"

namespace corvane {

// "ScreenShots" beside the executable, or in the per-user folder when the
// user cannot write there (os/own_files.h); with a trailing separator.
std::string DefaultSnapshotDirectory();

// `directory` (ending in a separator) + "_ScreenShot_" + day-month-year_
// hour-minute-second + "_.bmp", for example "_ScreenShot_05-12-2026_14-03-59_.bmp".
std::string SnapshotFileName(const std::string& directory, const std::tm& localTime);

std::tm LocalTimeNow();

// A 24-bit BMP file of the block, the block's bottom row the picture's
// bottom row.
std::vector<uint8_t> EncodeBmp(const PixelBlock& block);

// Creates the directory (one level) if it does not exist; a failure shows
// up when the file is written.
void CreateSnapshotDirectory(const std::string& directory);

// Writes the bytes to a file named in UTF-8; false when that fails.
bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace corvane
