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

namespace {

// The raster position moves by an empty bitmap, so that it stays valid
// wherever the text starts.
void MoveRaster(float dx, float dy) { glBitmap(0, 0, 0, 0, dx, dy, nullptr); }

void DrawGlyphs(std::string_view text) {
  for (char c : text)
    glBitmap(kOverlayGlyphWidth, kOverlayGlyphHeight, 0, kOverlayGlyphDescent, kOverlayGlyphWidth, 0,
             OverlayGlyph(c));
}

}  // namespace

void DrawOverlayLine(std::string_view text, int left, int top) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  const float baseX = float(left) - (viewport[0] + viewport[2] / 2.0f);
  const float baseY = float(top - (kOverlayGlyphHeight - kOverlayGlyphDescent)) - (viewport[1] + viewport[3] / 2.0f);
  // The raster colour is taken when the position is set: the shadow first,
  // one pixel right and down, then the text.
  glColor4f(0, 0, 0, 1);
  glRasterPos2i(0, 0);
  MoveRaster(baseX + 1, baseY - 1);
  DrawGlyphs(text);
  glColor4fv(colour);
  glRasterPos2i(0, 0);
  MoveRaster(baseX, baseY);
  DrawGlyphs(text);
}

}  // namespace corvane
