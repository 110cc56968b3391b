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
#include "drawer/drawer_commands.h"
#include "os/exception.h"
#include "presets/param_sink.h"
#include "render/render_context.h"
#include "workers/worker.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EDrawerError);

// Makes the render context of a drawing thread (on its own thread, in
// StartWork); no OpenGL work yet.
using RenderContextFactory = std::function<std::unique_ptr<RenderContext>(CalcClient& calcer)>;

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
  // The figure drawn into the layout's first view and copied into the
  // others (TRenderer::SetViews).
  void SetViews(const ViewLayout& layout, double fovy, double zNear, double zFar);
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
  // The frames-per-second overlay and the preset name it shows
  // (TRenderer::ShowFrameRate); the name is also what presets applied by
  // name report.
  void ShowFrameRate(bool shown);
  void SetPresetName(const std::string& name) override;

  // Writes the current frame as "_ScreenShot_<day-month-year_hour-minute-
  // second>_.bmp" into DefaultSnapshotDirectory, or into `directory`.
  // Returns the file written, or empty: nothing to save, or a snapshot of
  // that second exists already.
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

  // The sender of a command, as its row in the table says.
  template <uint32_t Command>
  typename drawer_command::Row<Command>::Reply Send(typename drawer_command::Row<Command>::Params params);

  // Takes a command off the queue, runs its handler and answers as its row
  // in the table says.
  template <uint32_t Command, typename Handler>
  void Serve(Handler handler);
  void Dispatch(uint32_t command);

  // The handlers, on the drawing thread: one for each row of the table.
#define CORVANE_DRAWER_HANDLER(name, id, kind, params, reply) \
  drawer_command::Row<id>::Reply On##name(const drawer_command::Row<id>::Params& p);
  CORVANE_DRAWER_COMMANDS(CORVANE_DRAWER_HANDLER)
#undef CORVANE_DRAWER_HANDLER

  TRenderer& Renderer() const { return *render_->Renderer(); }

  std::unique_ptr<CalcThread> calcer_;
  RenderContextFactory makeRenderContext_;
  std::unique_ptr<RenderContext> render_;
  // Drawing-thread state only.
  bool glStarted_ = false;
  bool animating_ = false;
  bool frameRateShown_ = false;
  std::string presetName_;
};

}  // namespace corvane
