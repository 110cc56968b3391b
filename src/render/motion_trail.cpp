#include "render/motion_trail.h"

#include <cmath>

#include "render/gl_libraries.h"

namespace corvane {

float MotionBlurWeight(double motionBlur) {
  return static_cast<float>(0.99L * std::sqrt(static_cast<long double>(motionBlur) / 255.0L));
}

void MotionTrail::Start() {
  GLint bits = 0;
  glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
  accumulation_ = bits > 0;
  width_ = height_ = 0;
  frame_.clear();
  trail_.clear();
}

void MotionTrail::Load() {
  if (accumulation_) {
    glAccum(GL_LOAD, 1.0f);
    return;
  }
  if (!ReadFrame()) return;
  trail_.resize(frame_.size());
  for (size_t i = 0; i < frame_.size(); ++i) trail_[i] = static_cast<uint16_t>(frame_[i] << 8);
}

void MotionTrail::Blend(float weight) {
  if (accumulation_) {
    glAccum(GL_MULT, weight);
    glAccum(GL_ACCUM, 1.0f - weight);
    glAccum(GL_RETURN, 1.0f);
    return;
  }
  size_t previous = trail_.size();
  if (!ReadFrame()) return;
  if (previous != frame_.size()) {  // the viewport changed without a restart
    Load();
    return;
  }
  const float fresh = (1.0f - weight) * 256.0f;
  for (size_t i = 0; i < frame_.size(); ++i)
    trail_[i] = static_cast<uint16_t>(std::lrint(weight * trail_[i] + fresh * frame_[i]));
  ShowTrail();
}

bool MotionTrail::ReadFrame() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  width_ = viewport[2];
  height_ = viewport[3];
  frame_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
  if (frame_.empty()) return false;
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(viewport[0], viewport[1], width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, frame_.data());
  return true;
}

void MotionTrail::ShowTrail() {
  for (size_t i = 0; i < trail_.size(); ++i) frame_[i] = static_cast<uint8_t>((trail_[i] + 128) >> 8);
  // The raster position at the viewport's lower-left corner, with neither
  // blending nor culling touching the pixels, and every state put back.
  PushPixelState(0);
  glRasterPos2i(-1, -1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glDrawPixels(width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, frame_.data());
  PopPixelState();
}

void PushPixelState(GLbitfield extraAttribs) {
  glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT | extraAttribs);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void PopPixelState() {
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}

}  // namespace corvane
