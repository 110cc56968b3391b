#include "render/frame_rate_overlay.h"

#include <cmath>
#include <cstdio>

#include "render/gl_libraries.h"

namespace corvane {

std::string FrameRateText(double framesPerSecond, std::string_view presetName) {
  std::string text;
  if (std::isfinite(framesPerSecond)) {
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", framesPerSecond);
    text = number;
  } else {
    text = "--";
  }
  text += " fps";
  if (!presetName.empty()) text.append("  ").append(presetName);
  return text;
}

std::vector<uint8_t> ScaledGlyph(const uint8_t* rows, int scale) {
  const int width = kOverlayGlyphWidth * scale, rowBytes = (width + 7) / 8;
  std::vector<uint8_t> scaled(size_t(rowBytes) * size_t(kOverlayGlyphHeight * scale));
  for (int y = 0; y < kOverlayGlyphHeight * scale; ++y)
    for (int x = 0; x < width; ++x)
      if (rows[y / scale] & (0x80 >> (x / scale))) scaled[size_t(y * rowBytes + x / 8)] |= uint8_t(0x80 >> (x % 8));
  return scaled;
}

int OverlayScaleFor(int dpi) { return dpi >= 144 ? (dpi + 48) / 96 : 1; }

namespace {

// The raster position moves by an empty bitmap, so that it stays valid
// wherever the text starts.
void MoveRaster(float dx, float dy) { glBitmap(0, 0, 0, 0, dx, dy, nullptr); }

void DrawGlyphs(std::string_view text, int scale) {
  const float width = float(kOverlayGlyphWidth * scale);
  for (char c : text) {
    if (scale == 1) {
      glBitmap(kOverlayGlyphWidth, kOverlayGlyphHeight, 0, kOverlayGlyphDescent, width, 0, OverlayGlyph(c));
      continue;
    }
    const std::vector<uint8_t> glyph = ScaledGlyph(OverlayGlyph(c), scale);
    glBitmap(kOverlayGlyphWidth * scale, kOverlayGlyphHeight * scale, 0, float(kOverlayGlyphDescent * scale), width, 0,
             glyph.data());
  }
}

}  // namespace

void DrawOverlayLine(std::string_view text, int left, int top, int scale) {
  scale = scale < 1 ? 1 : scale;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  const float baseX = float(left) - (viewport[0] + viewport[2] / 2.0f);
  const float baseY =
      float(top - (kOverlayGlyphHeight - kOverlayGlyphDescent) * scale) - (viewport[1] + viewport[3] / 2.0f);
  // The raster colour is taken when the position is set: the shadow first,
  // one pixel right and down, then the text.
  glColor4f(0, 0, 0, 1);
  glRasterPos2i(0, 0);
  MoveRaster(float(baseX + scale), float(baseY - scale));
  DrawGlyphs(text, scale);
  glColor4fv(colour);
  glRasterPos2i(0, 0);
  MoveRaster(baseX, baseY);
  DrawGlyphs(text, scale);
}

}  // namespace corvane
