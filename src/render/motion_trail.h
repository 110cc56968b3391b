#pragma once
// The motion-blur trail: the shown frame becomes k * (previous shown frame)
// + (1 - k) * (fresh frame). The accumulation buffer does this where the
// pixel format has one; elsewhere glAccum would only raise an OpenGL error,
// so the trail is kept in memory at 8 fractional bits below the colour
// bits, which lets it fade fully to the background instead of stopping at
// the first difference that 8-bit rounding can no longer shrink.

#include <cstdint>
#include <vector>

#include "render/gl_libraries.h"

namespace corvane {

// The trail weight for a MotionBlur of 0..255: 0.99 * sqrt(MotionBlur / 255).
float MotionBlurWeight(double motionBlur);

// Identity projection and model-view and no blending, for pixel rectangles
// at a raster position; the pop puts back every state the push saved (the
// enables, the matrix mode and `extraAttribs`).
void PushPixelState(GLbitfield extraAttribs);
void PopPixelState();

class MotionTrail {
 public:
  // Chooses the route for the current context.
  void Start();

  // Both act on the current read and draw buffer, which hold the fresh
  // frame, over the current viewport. Load takes the fresh frame as the
  // whole trail and leaves it on screen as drawn.
  void Load();
  void Blend(float weight);

 private:
  bool ReadFrame();  // the viewport's pixels into frame_; false when empty
  void ShowTrail();

  bool accumulation_ = false;
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> frame_;   // RGBA, bottom row first
  std::vector<uint16_t> trail_;  // RGBA, colour level * 256
};

}  // namespace corvane
