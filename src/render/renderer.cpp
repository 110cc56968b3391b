#include "render/renderer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "figure/matrix4.h"
#include "figure/preset_params.h"
#include "figure/rounding.h"
#include "render/frame_rate_overlay.h"
#include "render/gl_error.h"
#include "render/swap_control.h"

namespace corvane {
namespace {

std::atomic<uint32_t> g_maxBlending{6};

// Blending modes: a code byte each, source factor kSource[code >> 3],
// destination factor kDestination[code & 7].
constexpr uint8_t kBlendCodes[] = {33, 37, 39, 65, 69, 70, 71};
constexpr GLenum kSource[] = {GL_ZERO,      GL_ONE,           GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR,
                              GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
                              GL_SRC_ALPHA_SATURATE};
constexpr GLenum kDestination[] = {GL_ZERO,      GL_ONE,           GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
                                   GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA};
constexpr uint32_t kLastBlending = std::size(kBlendCodes) - 1;
// Modes 3 and 5 draw the nearest point first.
bool NearestFirst(uint32_t blending) { return blending == 3 || blending == 5; }

constexpr int kTicksParam = 3;
constexpr int kFirstCameraParam = 55;
constexpr int kBlendingParam = 64;
constexpr int kFirstBGColorParam = 65;
constexpr int kMotionBlurParam = 69;
constexpr int kMaxTicksPerFrame = 100;

constexpr double RenderState::* kCamera[9] = {&RenderState::EyeX,    &RenderState::EyeY,    &RenderState::EyeZ,
                                              &RenderState::CenterX, &RenderState::CenterY, &RenderState::CenterZ,
                                              &RenderState::UpX,     &RenderState::UpY,     &RenderState::UpZ};

// `from` scaled by one factor to fit in `to`, centred: black bars on the
// sides that do not fill.
ViewRect FitCentred(const ViewRect& from, const ViewRect& to) {
  if (from.width <= 0 || from.height <= 0) return {};
  const double zoom = std::min(double(to.width) / from.width, double(to.height) / from.height);
  const auto width = static_cast<int32_t>(std::lround(from.width * zoom));
  const auto height = static_cast<int32_t>(std::lround(from.height * zoom));
  return {to.x + (to.width - width) / 2, to.y + (to.height - height) / 2, width, height};
}

}  // namespace

uint32_t MaxBlending() { return g_maxBlending.load(std::memory_order_relaxed); }

TRenderer::TRenderer(CalcClient& calcer, GLenum frameBuffer, FrameClock& clock)
    : calcer_(calcer), frameBuffer_(frameBuffer), clock_(clock) {}

void TRenderer::SwapFrame(uint8_t syncMode) {
  if (syncMode == 1)
    glFlush();
  else if (syncMode == 2)
    glFinish();
  CheckGLError();
  SwapCurrentBuffers();
}

void TRenderer::SetClearColor(const double (&color)[4]) {
  glClearColor(static_cast<float>(color[0]), static_cast<float>(color[1]), static_cast<float>(color[2]),
               static_cast<float>(color[3]));
}

void TRenderer::ReadModelView() { glGetDoublev(GL_MODELVIEW_MATRIX, state_.ModelView); }

void TRenderer::SetParam(int number, double value) {
  CheckGLError();
  glMatrixMode(GL_MODELVIEW);
  // The renderer keeps its own numbers by the table's rule and forwards
  // the rest unchanged.
  const bool kept = IsRendererParam(number);
  if (kept) value = AppliedValue(*FindParam(number), value);
  if (!kept) {
    calcer_.SetParam(number, value);
  } else if (number == kTicksParam) {
    state_.Ticks = value;
  } else if (number >= kFirstCameraParam && number < kFirstCameraParam + 9) {
    double camera[9];
    for (int i = 0; i < 9; ++i) camera[i] = state_.*kCamera[i];
    camera[number - kFirstCameraParam] = value;
    glLoadIdentity();
    glu::LookAt(camera[0], camera[1], camera[2], camera[3], camera[4], camera[5], camera[6], camera[7], camera[8]);
    ReadModelView();
    state_.*kCamera[number - kFirstCameraParam] = value;
  } else if (number == kBlendingParam) {
    state_.Blending = std::min(static_cast<uint32_t>(value), MaxBlending());
  } else if (number >= kFirstBGColorParam && number < kFirstBGColorParam + 4) {
    double color[4];
    std::copy_n(state_.BGColor, 4, color);
    color[number - kFirstBGColorParam] = value;
    SetClearColor(color);
    state_.BGColor[number - kFirstBGColorParam] = value;
  } else if (number == kMotionBlurParam) {
    state_.MotionBlurRestart = state_.MotionBlur == 0 && value != 0 ? 1 : 0;
    state_.MotionBlur = value;
  }
  CheckGLError();
}

double TRenderer::GetParam(int number) {
  if (number == kTicksParam) return state_.Ticks;
  if (number >= kFirstCameraParam && number < kFirstCameraParam + 9) return state_.*kCamera[number - kFirstCameraParam];
  if (number == kBlendingParam) return state_.Blending;
  if (number >= kFirstBGColorParam && number < kFirstBGColorParam + 4) return state_.BGColor[number - kFirstBGColorParam];
  if (number == kMotionBlurParam) return state_.MotionBlur;
  return calcer_.GetParam(number);
}

void TRenderer::SetVSync(uint8_t mode) {
  if (!SwapIntervalSupported()) return;
  int interval = GetSwapInterval();
  if (mode == 0) {
    state_.VSyncState = 0;
  } else if (mode == 1 && interval != 1) {
    SetSwapInterval(1);
    state_.VSyncState = 1;
  } else if (mode == 2 && interval != 0) {
    SetSwapInterval(0);
    state_.VSyncState = 2;
  }
}

uint8_t TRenderer::GetVSync() {
  if (!SwapIntervalSupported()) return 0;
  switch (GetSwapInterval()) {
    case 0: return 2;
    case 1: return 1;
    default: return 0;
  }
}

void TRenderer::ClearFrame() {
  CheckGLError();
  glClearColor(0, 0, 0, 0);
  glDrawBuffer(frameBuffer_);
  glClear(GL_COLOR_BUFFER_BIT);
  SetClearColor(state_.BGColor);
  CheckGLError();
}

bool TRenderer::Start(const RenderState& state) {
  state_ = state;
  CheckGLError();
  SetVSync(state_.VSyncState);

  glMatrixMode(GL_MODELVIEW);
  if (state_.CameraPending) {
    state_.CameraPending = 0;
    glLoadIdentity();
    glu::LookAt(state_.EyeX, state_.EyeY, state_.EyeZ, state_.CenterX, state_.CenterY, state_.CenterZ, state_.UpX,
                state_.UpY, state_.UpZ);
  } else {
    glLoadMatrixd(state_.ModelView);
  }

  SetClearColor(state_.BGColor);
  glClearAccum(0, 0, 0, 0);
  glDrawBuffer(GL_FRONT_AND_BACK);
  glClear(GL_COLOR_BUFFER_BIT | GL_ACCUM_BUFFER_BIT);

  glAlphaFunc(GL_ALWAYS, 0);
  glDisable(GL_ALPHA_TEST);
  glDepthFunc(GL_LESS);
  glDepthRange(0, 1);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_DITHER);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, 0.001f);
  const GLfloat fogColor[4] = {0, 0, 0, 0.3f};
  glFogfv(GL_FOG_COLOR, fogColor);
  glDisable(GL_FOG);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  // No light source is on: the full ambient term gives each vertex its colour.
  const GLfloat ambient[4] = {1, 1, 1, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glEnable(GL_LIGHTING);
  glDisable(GL_AUTO_NORMAL);
  glDisable(GL_NORMALIZE);

  GLint alphaBits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  if (alphaBits == 0) g_maxBlending.store(1, std::memory_order_relaxed);
  trail_.Start();

  glShadeModel(GL_SMOOTH);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, batch_.colors.data());
  glVertexPointer(3, GL_FLOAT, 0, batch_.vertices.data());
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glFinish();
  CheckGLError();
  return true;
}

void TRenderer::Stop(RenderState& state) {
  CheckGLError();
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  ReadModelView();
  state_.VSyncState = GetVSync();
  CheckGLError();
  state = state_;
}

std::unique_ptr<ShortString> TRenderer::GetStatusText() {
  auto text = std::make_unique<ShortString>();
  text->Assign("FPS : " + std::to_string(state_.FrameCount) + "  " + std::string(state_.StatusText.View()));
  state_.FrameCount = 0;
  return text;
}

void TRenderer::LookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                       double upX, double upY, double upZ) {
  CheckGLError();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glu::LookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
  const double camera[9] = {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ};
  for (int i = 0; i < 9; ++i) state_.*kCamera[i] = camera[i];
  ReadModelView();
  CheckGLError();
}

// Moves and turns act in eye coordinates: the new matrix is T * M. The
// model-view mode is selected first, because SetViewport leaves the
// projection mode behind and the move would otherwise land there.
void TRenderer::Translate(double dx, double dy, double dz) {
  CheckGLError();
  glMatrixMode(GL_MODELVIEW);
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  glLoadIdentity();
  glTranslated(dx, dy, dz);
  glMultMatrixd(m);
  ReadModelView();
  CheckGLError();
}

void TRenderer::Rotate(double ax, double ay, double az) {
  CheckGLError();
  glMatrixMode(GL_MODELVIEW);
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  glLoadIdentity();
  if (ax != 0) glRotated(ax, 1, 0, 0);
  if (ay != 0) glRotated(ay, 0, 1, 0);
  if (az != 0) glRotated(az, 0, 0, 1);
  glMultMatrixd(m);
  ReadModelView();
  CheckGLError();
}

// Derives eye, centre and up from the current model-view matrix: the eye
// origin, a point at the old viewing distance ahead and a point 10000 up,
// taken back to world coordinates. A singular matrix keeps the old camera.
void TRenderer::CaptureView() {
  const double dx = state_.CenterX - state_.EyeX, dy = state_.CenterY - state_.EyeY, dz = state_.CenterZ - state_.EyeZ;
  const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
  CheckGLError();
  Matrix4 m;
  glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
  CheckGLError();
  Matrix4 inverse;
  try {
    inverse = InvertMatrix4(m);
  } catch (const EDetMatrixZero&) {
    return;
  }
  // Column-major matrix times the column (x, y, z, 1).
  auto transform = [&](double x, double y, double z, double (&out)[3]) {
    for (int r = 0; r < 3; ++r) out[r] = inverse[r] * x + inverse[4 + r] * y + inverse[8 + r] * z + inverse[12 + r];
  };
  double eye[3], center[3], up[3];
  transform(0, 0, 0, eye);
  transform(0, 0, -distance, center);
  transform(0, 10000, 0, up);
  for (int i = 0; i < 3; ++i) {
    state_.*kCamera[i] = RoundHalfEven(eye[i]);
    state_.*kCamera[3 + i] = RoundHalfEven(center[i]);
    state_.*kCamera[6 + i] = RoundHalfEven(up[i] - eye[i]);
  }
}

void TRenderer::Step() {
  double now = clock_.Now();
  uint32_t n = 0;
  std::string tickText;
  if (state_.Ticks == 0) {
    tickText = "Overload";
    state_.LastTickTime = now;
  } else {
    double elapsed = std::fabs(now - state_.LastTickTime);
    double ticks = RoundHalfEven(elapsed / state_.Ticks);
    if (ticks == 0) {
      // Bounded, so that the drawing thread still answers its commands
      // when a huge tick length makes the wait for the next tick endless.
      clock_.Sleep(static_cast<uint32_t>(std::min(RoundHalfEven(elapsed), double{kMaxFrameStepSleepMs})));
      return;
    }
    // The clock advances by every tick due, so a backlog beyond the cap is dropped.
    state_.LastTickTime += ticks * state_.Ticks;
    if (!(ticks <= kMaxTicksPerFrame)) {  // not a number counts as too many
      n = kMaxTicksPerFrame;
      tickText = "Overload";
    } else {
      n = static_cast<uint32_t>(ticks);
      tickText = std::to_string(n);
    }
  }
  if (!state_.TimeFrozen) calcer_.Tick(n);
  CalcClient::Ticket ticket = calcer_.RequestMake(state_.ModelView);
  try {
    DrawFrame(state_.SyncMode);
  } catch (...) {
    // The pending make is collected all the same: a result left behind
    // would keep the calculation thread from ever ending. The frame's own
    // error is the one that goes on.
    try {
      state_.Geometry = calcer_.FetchMake(ticket);
    } catch (...) {
    }
    throw;
  }
  state_.Geometry = calcer_.FetchMake(ticket);
  uint64_t triangles = 8 * (uint64_t{state_.Geometry.count1} + state_.Geometry.count2);
  state_.StatusText.Assign("Rep : " + tickText + "  Tr : " + std::to_string(triangles));
  state_.FrameCount = state_.FrameCount == std::numeric_limits<uint32_t>::max() ? 0 : state_.FrameCount + 1;
  if (frameRateShown_) CountFrameRate();
}

void TRenderer::ShowFrameRate(bool shown) {
  frameRateShown_ = shown;
  frameRate_ = std::numeric_limits<double>::quiet_NaN();
  frameRateStart_ = clock_.Now();
  frameRateFrames_ = 0;
  overlayText_ = shown ? FrameRateText(frameRate_, presetName_) : std::string();
}

void TRenderer::SetPresetName(const std::string& name) {
  presetName_ = name;
  if (frameRateShown_) overlayText_ = FrameRateText(frameRate_, presetName_);
}

void TRenderer::CountFrameRate() {
  ++frameRateFrames_;
  const double now = clock_.Now(), elapsed = now - frameRateStart_;
  if (elapsed < 1000) return;
  frameRate_ = frameRateFrames_ * 1000.0 / elapsed;
  frameRateStart_ = now;
  frameRateFrames_ = 0;
  overlayText_ = FrameRateText(frameRate_, presetName_);
}

// White text in the drawn view's top-left corner, drawn after the trail so
// that it never smears, and before the copies so that every monitor shows it.
void TRenderer::DrawOverlay() {
  constexpr int kMargin = 4;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const ViewRect area = framed_ ? drawn_ : ViewRect{viewport[0], viewport[1], viewport[2], viewport[3]};
  PushPixelState(GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glColor4f(1, 1, 1, 1);
  DrawOverlayLine(overlayText_, area.x + kMargin * overlayScale_, area.y + area.height - kMargin * overlayScale_,
                  overlayScale_);
  PopPixelState();
}

void TRenderer::Repaint() { DrawFrame(2); }

void TRenderer::DrawFrame(uint8_t syncMode) {
  ComposeFrame();
  SwapFrame(syncMode);
}

void TRenderer::ComposeFrame() {
  CheckGLError();
  uint8_t code = kBlendCodes[std::min(state_.Blending, kLastBlending)];
  glBlendFunc(kSource[code >> 3], kDestination[code & 7]);
  glReadBuffer(frameBuffer_);
  glDrawBuffer(frameBuffer_);
  if (framed_) BlackenAroundDrawnView();
  glClear(GL_COLOR_BUFFER_BIT);
  DrawFigure();
  if (state_.MotionBlur > 0) {
    if (state_.PrevMotionBlur == 0 || state_.MotionBlurRestart != 0) {
      state_.MotionBlurRestart = 0;
      trail_.Load();
    } else {
      trail_.Blend(MotionBlurWeight(state_.MotionBlur));
    }
  }
  if (frameRateShown_) DrawOverlay();
  if (framed_) CopyDrawnView();
  CheckGLError();
  state_.PrevMotionBlur = state_.MotionBlur;
}

// The whole window black, then the scissor keeps the background colour,
// the figure and the trail's accumulation inside the drawn view.
void TRenderer::BlackenAroundDrawnView() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  SetClearColor(state_.BGColor);
  glScissor(drawn_.x, drawn_.y, drawn_.width, drawn_.height);
  glEnable(GL_SCISSOR_TEST);
}

// The frame is copied rather than drawn again: the copy's cost does not
// grow with the figure, the motion trail comes along as it is, and the
// pixels stay in the frame buffer. The raster position is set at the
// window's centre and moved to each fitted rectangle's lower-left corner by
// an empty bitmap; blending is off so the copy replaces what is there.
// Every state is put back.
void TRenderer::CopyDrawnView() {
  glDisable(GL_SCISSOR_TEST);
  PushPixelState(GL_PIXEL_MODE_BIT);
  for (const ViewRect& copy : copies_) {
    const ViewRect fit = FitCentred(drawn_, copy);
    if (fit.width <= 0 || fit.height <= 0) continue;
    glRasterPos2i(0, 0);
    glBitmap(0, 0, 0, 0, fit.x - window_.width / 2.0f, fit.y - window_.height / 2.0f, nullptr);
    glPixelZoom(float(fit.width) / drawn_.width, float(fit.height) / drawn_.height);
    glCopyPixels(drawn_.x, drawn_.y, drawn_.width, drawn_.height, GL_COLOR);
  }
  PopPixelState();
}

void TRenderer::DrawFigure() {
  CheckGLError();
  ComposeOctahedra(FirstMakerList(state_.Geometry), SecondMakerList(state_.Geometry),
                   NearestFirst(state_.Blending), batch_, [this](int octahedra) {
                     glDrawElements(GL_TRIANGLES, octahedra * kIndicesPerOctahedron, GL_UNSIGNED_SHORT,
                                    batch_.indices.data());
                   });
  CheckGLError();
}

PixelBlock TRenderer::GetPixels() {
  CheckGLError();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  PixelBlock block;
  block.width = viewport[2];
  block.height = viewport[3];
  block.pixels = std::make_unique<uint8_t[]>(static_cast<size_t>(block.width) * static_cast<size_t>(block.height) * 3);
  // Read before presenting: after a swap the back buffer's content is the
  // driver's choice.
  ComposeFrame();
  glPixelStorei(GL_PACK_ROW_LENGTH, block.width);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(frameBuffer_);
  glReadPixels(0, 0, block.width, block.height, GL_RGB, GL_UNSIGNED_BYTE, block.pixels.get());
  glFinish();
  CheckGLError();
  SwapFrame(0);
  return block;
}

void TRenderer::SetBackgroundColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  CheckGLError();
  const float color[4] = {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
  glClearColor(color[0], color[1], color[2], color[3]);
  for (int i = 0; i < 4; ++i) state_.BGColor[i] = color[i];
  CheckGLError();
}

void TRenderer::GetBackgroundColor(uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a) {
  uint8_t* out[4] = {&r, &g, &b, &a};
  for (int i = 0; i < 4; ++i) {
    // Negative components (never sent by the editor) and NaN (a binary
    // registry value can hold one) read as 0.
    const double value = state_.BGColor[i] > 0 ? std::min(state_.BGColor[i], 1.0) : 0.0;
    *out[i] = static_cast<uint8_t>(RoundHalfEven(255 * value));
  }
}

void TRenderer::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy, double aspect,
                            double zNear, double zFar) {
  CheckGLError();
  glViewport(x, y, std::max(width, 0), std::max(height, 0));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glu::Perspective(fovy, aspect, zNear, zFar);
  glFinish();
  CheckGLError();
  RestartMotionBlur();
}

// A framed layout keeps the viewport over the whole window and places the
// drawn view with the projection: the system's presentation of a window
// whose viewport covered only part of it was seen to drop the rest (Wine
// over the host's OpenGL).
void TRenderer::SetViews(const ViewLayout& layout, double fovy, double zNear, double zFar) {
  if (layout.views.empty()) return;
  drawn_ = layout.views.front();
  overlayScale_ = OverlayScaleFor(layout.dpi);
  copies_.assign(layout.views.begin() + 1, layout.views.end());
  window_ = {0, 0, layout.windowWidth, layout.windowHeight};
  framed_ = !copies_.empty() || drawn_ != window_;
  const double aspect = drawn_.height > 0 ? double(drawn_.width) / drawn_.height : 1.0;
  if (!framed_ || window_.width <= 0 || window_.height <= 0) {
    SetViewport(drawn_.x, drawn_.y, drawn_.width, drawn_.height, fovy, aspect, zNear, zFar);
    return;
  }
  SetViewport(0, 0, window_.width, window_.height, fovy, aspect, zNear, zFar);
  // The drawn view's clip square moved and scaled into its place in the window's.
  const double sx = double(drawn_.width) / window_.width, sy = double(drawn_.height) / window_.height;
  glLoadIdentity();
  glTranslated(2.0 * drawn_.x / window_.width + sx - 1, 2.0 * drawn_.y / window_.height + sy - 1, 0);
  glScaled(sx, sy, 1);
  glu::Perspective(fovy, aspect, zNear, zFar);
  CheckGLError();
}

void TRenderer::RestartMotionBlur() { state_.MotionBlurRestart = 1; }

void TRenderer::ClearScreen() {
  ClearFrame();
  SwapFrame(2);
}

}  // namespace corvane
