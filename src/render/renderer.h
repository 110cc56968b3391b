#pragma once
// TRenderer: turns the makers' geometry into frames on the current OpenGL
// context. It keeps the renderer-side preset parameters, the camera, the
// frame clock that turns wall time into calculation ticks, the status texts
// and vertical synchronisation. Everything runs on the drawing thread with
// the renderer's context current.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/calc_client.h"
#include "render/frame_clock.h"
#include "render/gl_libraries.h"
#include "render/motion_trail.h"
#include "render/octahedron_batch.h"
#include "render/render_state.h"

namespace corvane {

// The highest blending mode the current contexts allow: 6, or 1 once a
// context without alpha bits has been started. Written on drawing threads
// only, by Start.
uint32_t MaxBlending();

// The longest sleep of one frame step: the drawing thread serves commands
// only between steps, so it answers within about this time whatever the
// tick length.
inline constexpr uint32_t kMaxFrameStepSleepMs = 50;

// One read-back frame: tightly packed RGB rows, bottom row first.
struct PixelBlock {
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<uint8_t[]> pixels;
};

// A rectangle of the window, from its lower-left corner, y upwards.
struct ViewRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const ViewRect&) const = default;
};

// Where frames go on one window over several monitors: the figure is drawn
// into the first view, with the camera's aspect ratio taken from it, and
// copied into each other view, scaled to fit and centred; the rest of the
// window is black.
struct ViewLayout {
  int32_t windowWidth = 0, windowHeight = 0;
  std::vector<ViewRect> views;
  int32_t dpi = 96;  // the first view's monitor's: it sizes the overlay's text
};

class TRenderer {
 public:
  // `frameBuffer` names the buffer frames are composed in and read from:
  // GL_BACK on a double-buffered window, GL_FRONT on a single-buffered
  // target (an off-screen buffer). Does not touch OpenGL.
  explicit TRenderer(CalcClient& calcer, GLenum frameBuffer = GL_BACK, FrameClock& clock = SystemFrameClock());
  virtual ~TRenderer() = default;
  TRenderer(const TRenderer&) = delete;
  TRenderer& operator=(const TRenderer&) = delete;

  virtual void SwapFrame(uint8_t syncMode);
  virtual void DrawFrame(uint8_t syncMode);
  virtual void SetParam(int number, double value);
  virtual double GetParam(int number);
  virtual void SetVSync(uint8_t mode);
  virtual uint8_t GetVSync();
  virtual void ClearFrame();
  virtual bool Start(const RenderState& state);
  virtual void Stop(RenderState& state);
  virtual std::unique_ptr<ShortString> GetStatusText();
  virtual void LookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                      double upX, double upY, double upZ);
  virtual void Translate(double dx, double dy, double dz);
  virtual void Rotate(double ax, double ay, double az);
  virtual void CaptureView();
  virtual void Step();
  virtual void Repaint();
  virtual PixelBlock GetPixels();
  virtual void SetBackgroundColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  virtual void GetBackgroundColor(uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a);
  virtual void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy, double aspect,
                           double zNear, double zFar);
  virtual void RestartMotionBlur();
  // Holds until the next call; SetViewport alone leaves it. A layout
  // without views changes nothing.
  void SetViews(const ViewLayout& layout, double fovy, double zNear, double zFar);
  virtual void ClearScreen();
  // The frames-per-second overlay in the drawn view's top-left corner, off
  // at first. The rate is measured over each second of frames drawn by
  // Step; the text changes once a second and with the name.
  void ShowFrameRate(bool shown);
  void SetPresetName(const std::string& name);
  // Empty while the overlay is off.
  const std::string& OverlayText() const { return overlayText_; }

  // The drawing thread's switches (its SetTimeFrozen and SetSyncMode).
  void SetTimeFrozen(bool frozen) { state_.TimeFrozen = frozen ? 1 : 0; }
  void SetSyncMode(uint8_t mode) { state_.SyncMode = mode; }
  uint8_t GetSyncMode() const { return state_.SyncMode; }
  const RenderState& State() const { return state_; }

 private:
  void ComposeFrame();  // the frame in the frame buffer, not yet presented
  void DrawFigure();
  void BlackenAroundDrawnView();
  void CopyDrawnView();
  void CountFrameRate();
  void DrawOverlay();
  void ReadModelView();
  void SetClearColor(const double (&color)[4]);

  RenderState state_ = kRenderStateTemplate;
  CalcClient& calcer_;
  const GLenum frameBuffer_;
  FrameClock& clock_;
  OctahedronBatch batch_;
  MotionTrail trail_;
  // Set by SetViews: false while one view covers the whole window.
  bool framed_ = false;
  ViewRect window_, drawn_;
  std::vector<ViewRect> copies_;
  bool frameRateShown_ = false;
  int overlayScale_ = 1;  // set by SetViews from the drawn view's dpi
  std::string presetName_, overlayText_;
  double frameRate_ = 0, frameRateStart_ = 0;  // ms of the frame clock
  uint32_t frameRateFrames_ = 0;
};

}  // namespace corvane
