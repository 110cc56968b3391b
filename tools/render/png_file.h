#pragma once
// Frames as PNG files.

#include <cstdint>
#include <string>

namespace corvane {

// Writes `pixels` (rows bottom first, as OpenGL keeps them; bytesPerPixel
// 3 for RGB or 4 for RGBA, of which the colour is kept) as an RGB PNG.
// Raises std::runtime_error naming the file when it cannot be written.
void WriteRgbPng(const std::string& path, const uint8_t* pixels, int width, int height, int bytesPerPixel);

}  // namespace corvane
