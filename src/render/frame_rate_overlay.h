#pragma once
// The frames-per-second overlay: its text, a small built-in bitmap font and
// the drawing of a line of it with glBitmap, which every OpenGL 1.1 driver
// has and which needs nothing from the window system.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr int kOverlayGlyphWidth = 6, kOverlayGlyphHeight = 10;
// Rows below the base line, for g, j, p, q and y.
inline constexpr int kOverlayGlyphDescent = 2;
inline constexpr int kOverlayFirstChar = ' ', kOverlayGlyphCount = '~' - ' ' + 1;

// The glyph's rows, bottom first; a character outside the font shows as '?'.
const uint8_t* OverlayGlyph(char c);

// "59.8 fps  Galaxy": one decimal, "-- fps" before the first measurement
// (not a number), no name part for an unnamed preset.
std::string FrameRateText(double framesPerSecond, std::string_view presetName);

// Draws `text` in the current raster colour with its top-left corner at
// window pixel (left, top), y upwards, over a one-pixel black shadow so it
// reads on any background. Needs the pixel state of PushPixelState and
// leaves the raster position moved.
void DrawOverlayLine(std::string_view text, int left, int top);

}  // namespace corvane
