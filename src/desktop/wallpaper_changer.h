#pragma once
#include <cstdint>
#include <string>

namespace corvane {

// Sets the desktop wallpaper and its style now, when the file exists.
void ApplyWallpaper(uint32_t style, const std::string& fileName);

// At the end of a full-screen saver run: when the changer is on, a random
// existing image of the stored list becomes the wallpaper.
void ChangeWallpaperAtRandom();

}  // namespace corvane
