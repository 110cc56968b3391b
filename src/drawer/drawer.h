#pragma once
// TDrawer: the one thread that owns a window's OpenGL work. Other threads
// drive it with numbered commands; while animation is on it draws frame
// after frame between them. It owns the calculation thread and, while
// running, the render context, which it reaches only through the portable
// render-context interface.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "drawer/calc_thread.h"
#include "os/exception.h"
#include "presets/param_sink.h"
#include "render/render_context.h"
#include "workers/worker.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EDrawerError);

// Makes the render context of a drawing thread (on its own thread, in
// StartWork); no OpenGL work yet.
using RenderContextFactory = std::function<std::unique_ptr<RenderContext>(CalcClient& calcer)>;

namespace drawer_command {
enum : uint32_t {
  StartGL = 1,
  StopGL = 2,
  Restart = 3,
  SetViewport = 6,
  Translate = 7,
  Rotate = 8,
  CaptureView = 10,
  Repaint = 11,
  SetAnimating = 12,
  SetTimeFrozen = 13,
  SetParam = 14,
  GetParam = 15,
  GetStatusText = 16,
  SetVSync = 17,
  GetVSync = 18,
  SetSyncMode = 19,
  GetSyncMode = 20,
  GetPixels = 21,
  SetBackgroundColor = 22,
  GetBackgroundColor = 23,
  ClearScreen = 24,
  Last = ClearScreen,
};
}  // namespace drawer_command

struct BackgroundColor {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const BackgroundColor&) const = default;
};

class TDrawer : public TWorker, public ParamSink {
 public:
  static constexpr uint32_t kParamsSize = 72;
  static constexpr uint32_t kRetDataSize = 16;

  // Takes the calculation thread, sets its priority to normal and lets it
  // run; the drawing thread itself is created suspended.
  TDrawer(std::unique_ptr<CalcThread> calcer, RenderContextFactory makeRenderContext);
  ~TDrawer() override;

  const char* ClassName() const noexcept override { return "TDrawer"; }

  // Sender operations, for any other thread. Once the drawing thread is
  // terminated each does nothing and answers the neutral value.
  bool StartGL(NativeWindow window);
  bool StopGL();
  void Restart();
  void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy, double aspect, double zNear,
                   double zFar);
  void Translate(double x, double y, double z);
  void Rotate(double ax, double ay, double az);
  void CaptureView();
  void Repaint();
  void SetAnimating(bool animating);
  void SetTimeFrozen(bool frozen);
  // Also the sink that presets are applied to, one parameter at a time.
  void SetParam(int number, double value) override;
  double GetParam(int number);
  std::string GetStatusText();
  void SetVSync(uint8_t mode);
  uint8_t GetVSync();
  void SetSyncMode(uint8_t mode);
  uint8_t GetSyncMode();
  // An empty block when OpenGL is not started or the thread has ended.
  PixelBlock GetPixels();
  void SetBackgroundColor(BackgroundColor color);
  BackgroundColor GetBackgroundColor();
  void ClearScreen();

  // Writes the current frame as "_ScreenShot_<day-month-year_hour-minute-
  // second>_.bmp" into "ScreenShots" beside the executable, or into
  // `directory`. Returns the file written, or empty: nothing to save, or a
  // snapshot of that second exists already.
  std::string SaveSnapshot();
  std::string SaveSnapshot(const std::string& directory);

  void SetCalcPriority(ThreadPriority priority) { calcer_->SetPriority(priority); }
  ThreadPriority CalcPriority() const { return calcer_->Priority(); }

 protected:
  void StartWork() override;
  void ExecuteCommand() override;
  void FinishWork() override;

 private:
  using Block = std::array<std::byte, kParamsSize>;

  template <typename Params>
  void Post(uint32_t command, const Params& params);
  template <typename Params>
  void SendAndWait(uint32_t command, Params params);
  template <typename Reply, typename Params>
  Reply Request(uint32_t command, Params params);

  template <typename Params>
  Params Pop(int32_t* retDataId = nullptr);
  template <typename Reply>
  void Answer(uint32_t command, int32_t retDataId, const Reply& reply, Event* event);

  void Dispatch(uint32_t command);
  TRenderer& Renderer() const { return *render_->Renderer(); }

  std::unique_ptr<CalcThread> calcer_;
  RenderContextFactory makeRenderContext_;
  std::unique_ptr<RenderContext> render_;
  // Drawing-thread state only.
  bool glStarted_ = false;
  bool animating_ = false;
};

}  // namespace corvane
