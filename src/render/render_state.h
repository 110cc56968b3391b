#pragma once
// The renderer's state block: everything that must outlive one renderer, so
// that the render context can hand it from a stopped renderer to the next.

#include <cstdint>
#include <string_view>

#include "figure/geometry.h"

namespace corvane {

// A length byte and up to 255 characters, always copied whole.
struct ShortString {
  uint8_t length = 0;
  char text[255] = {};

  void Assign(std::string_view value);  // truncates to 255 characters
  std::string_view View() const { return {text, length}; }
};
static_assert(sizeof(ShortString) == 256);

struct RenderState {
  MakeResult Geometry;  // the lists fetched by the previous frame step
  double LastTickTime = 0;  // clock time (ms) up to which ticks were issued
  double MotionBlur = 0;
  double PrevMotionBlur = 0;
  double Ticks = 14;  // ms per calculation tick
  double EyeX = 1800, EyeY = 1800, EyeZ = 1800;
  double CenterX = 0, CenterY = 0, CenterZ = 0;
  double UpX = -4082, UpY = 8165, UpZ = -4082;
  uint32_t Blending = 1;
  double BGColor[4] = {0, 0, 0, 0};
  double ModelView[16] = {};  // column-major, as OpenGL keeps it
  ShortString StatusText;
  uint32_t FrameCount = 0;  // frames since the last status request
  uint8_t SyncMode = 2;     // 0 none, 1 glFlush, 2 glFinish before a swap
  uint8_t VSyncState = 0;   // 0 interval untouched, 1 set to 1, 2 set to 0
  uint8_t CameraPending = 1;
  uint8_t TimeFrozen = 0;
  uint8_t MotionBlurRestart = 0;
};

// The template every new renderer and render context starts from.
inline constexpr RenderState kRenderStateTemplate{};

}  // namespace corvane
