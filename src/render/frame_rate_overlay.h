#pragma once
// The frames-per-second overlay: its text, a small built-in bitmap font and
// the drawing of a line of it with glBitmap, which every OpenGL 1.1 driver
// has and which needs nothing from the window system.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr int kOverlayGlyphWidth = 6, kOverlayGlyphHeight = 10;
// Rows below the base line, for g, j, p, q and y.
inline constexpr int kOverlayGlyphDescent = 2;
inline constexpr int kOverlayFirstChar = ' ', kOverlayGlyphCount = '~' - ' ' + 1;

// The glyph's rows, bottom first; a character outside the font shows as '?'.
const uint8_t* OverlayGlyph(char c);

// A glyph `scale` times as wide and high, each bit a square of bits, rows
// bottom first and each row padded to whole bytes, as glBitmap reads it.
std::vector<uint8_t> ScaledGlyph(const uint8_t* rows, int scale);

// Whole times the font's size for a view at `dpi`: 1 up to 143 dpi, 2 from
// 144, and so on, so that the text reads as large on every monitor.
int OverlayScaleFor(int dpi);

// "59.8 fps  Galaxy": one decimal, "-- fps" before the first measurement
// (not a number), no name part for an unnamed preset.
std::string FrameRateText(double framesPerSecond, std::string_view presetName);

// Draws `text` `scale` times the font's size in the current raster colour
// with its top-left corner at window pixel (left, top), y upwards, over a
// black shadow so it reads on any background. Needs the pixel state of
// PushPixelState and leaves the raster position moved.
void DrawOverlayLine(std::string_view text, int left, int top, int scale = 1);

}  // namespace corvane
