#include "drawer/drawer.h"

#include <cstring>
#include <type_traits>

#include "drawer/snapshot.h"
#include "os/process.h"

namespace corvane {
namespace {

template <typename T>
constexpr bool kFitsIn(size_t size) {
  return std::is_trivially_copyable_v<T> && sizeof(T) <= size;
}

}  // namespace

using drawer_command::EventParams;
using drawer_command::FlagParams;
using drawer_command::GetParamParams;
using drawer_command::Kind;
using drawer_command::NameParams;
using drawer_command::NoParams;
using drawer_command::ParamParams;
using drawer_command::PixelsReply;
using drawer_command::Row;
using drawer_command::StartGLParams;
using drawer_command::TextReply;
using drawer_command::VectorParams;
using drawer_command::ViewportParams;
using drawer_command::ViewsParams;

TDrawer::TDrawer(std::unique_ptr<CalcThread> calcer, RenderContextFactory makeRenderContext)
    : TWorker(kParamsSize, kRetDataSize), calcer_(std::move(calcer)), makeRenderContext_(std::move(makeRenderContext)) {
  calcer_->SetPriority(ThreadPriority::Normal);
}

// The worker's deletion has ended this thread before any destructor runs;
// the calculation thread goes with calcer_.
TDrawer::~TDrawer() = default;

// --- senders ---

template <uint32_t Command>
typename Row<Command>::Reply TDrawer::Send(typename Row<Command>::Params params) {
  using Params = typename Row<Command>::Params;
  using Reply = typename Row<Command>::Reply;
  static_assert(kFitsIn<Params>(kParamsSize));
  if constexpr (Row<Command>::kind == Kind::Reply) static_assert(kFitsIn<Reply>(kRetDataSize));
  if (Terminated()) return Reply();
  Block block{};
  if constexpr (Row<Command>::kind == Kind::Async) {
    std::memcpy(block.data(), &params, sizeof params);
    Queue().PushCommand(Command, NoRetData, block.data());
  } else {
    Event event(false, false);
    params.event = &event;
    std::memcpy(block.data(), &params, sizeof params);
    if constexpr (Row<Command>::kind == Kind::Wait) {
      Queue().PushCommand(Command, NoRetData, block.data());
      WaitForReply(event);
    } else {
      const int32_t retDataId = RetData().ReserveRetData(Command, AutoRetDataID);
      Queue().PushCommand(Command, retDataId, block.data());
      std::array<std::byte, kRetDataSize> data{};
      Reply reply{};
      if (WaitForReply(event) && RetData().ExtractRetData(Command, retDataId, data.data()))
        std::memcpy(&reply, data.data(), sizeof reply);
      return reply;
    }
  }
}

bool TDrawer::StartGL(NativeWindow window) { return Send<drawer_command::StartGL>({window}); }

bool TDrawer::StopGL() { return Send<drawer_command::StopGL>({}); }

void TDrawer::Restart() { Send<drawer_command::Restart>({}); }

void TDrawer::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy, double aspect,
                          double zNear, double zFar) {
  Send<drawer_command::SetViewport>({x, y, width, height, fovy, aspect, zNear, zFar});
}

void TDrawer::SetViews(const ViewLayout& layout, double fovy, double zNear, double zFar) {
  Send<drawer_command::SetViews>({&layout, fovy, zNear, zFar});
}

void TDrawer::Translate(double x, double y, double z) { Send<drawer_command::Translate>({x, y, z}); }

void TDrawer::Rotate(double ax, double ay, double az) { Send<drawer_command::Rotate>({ax, ay, az}); }

void TDrawer::CaptureView() { Send<drawer_command::CaptureView>({}); }

void TDrawer::Repaint() { Send<drawer_command::Repaint>({}); }

void TDrawer::SetAnimating(bool animating) {
  Send<drawer_command::SetAnimating>({static_cast<uint8_t>(animating)});
}

void TDrawer::SetTimeFrozen(bool frozen) { Send<drawer_command::SetTimeFrozen>({static_cast<uint8_t>(frozen)}); }

void TDrawer::SetParam(int number, double value) {
  Send<drawer_command::SetParam>({static_cast<uint32_t>(number), value});
}

double TDrawer::GetParam(int number) { return Send<drawer_command::GetParam>({static_cast<uint32_t>(number)}); }

std::string TDrawer::GetStatusText() {
  const std::unique_ptr<ShortString> text(Send<drawer_command::GetStatusText>({}).text);
  return text ? std::string(text->View()) : std::string();
}

void TDrawer::SetVSync(uint8_t mode) { Send<drawer_command::SetVSync>({mode}); }

uint8_t TDrawer::GetVSync() { return Send<drawer_command::GetVSync>({}); }

void TDrawer::SetSyncMode(uint8_t mode) { Send<drawer_command::SetSyncMode>({mode}); }

uint8_t TDrawer::GetSyncMode() { return Send<drawer_command::GetSyncMode>({}); }

PixelBlock TDrawer::GetPixels() {
  const PixelsReply reply = Send<drawer_command::GetPixels>({});
  PixelBlock block;
  block.pixels.reset(reply.pixels);
  if (block.pixels) {
    block.width = static_cast<int32_t>(reply.width);
    block.height = static_cast<int32_t>(reply.height);
  }
  return block;
}

void TDrawer::SetBackgroundColor(BackgroundColor color) { Send<drawer_command::SetBackgroundColor>(color); }

BackgroundColor TDrawer::GetBackgroundColor() { return Send<drawer_command::GetBackgroundColor>({}); }

void TDrawer::ClearScreen() { Send<drawer_command::ClearScreen>({}); }

void TDrawer::ShowFrameRate(bool shown) { Send<drawer_command::ShowFrameRate>({static_cast<uint8_t>(shown)}); }

void TDrawer::SetPresetName(const std::string& name) { Send<drawer_command::SetPresetName>({&name}); }

std::string TDrawer::SaveSnapshot() { return SaveSnapshot(DefaultSnapshotDirectory()); }

std::string TDrawer::SaveSnapshot(const std::string& directory) {
  if (Terminated()) return {};
  CreateSnapshotDirectory(directory);
  const std::string name = SnapshotFileName(directory, LocalTimeNow());
  if (FileExists(name)) return {};
  const PixelBlock block = GetPixels();
  if (!block.pixels) return {};
  if (!WriteBinaryFile(name, EncodeBmp(block))) throw EDrawerError("Cannot create file \"" + name + "\".");
  return name;
}

// --- the drawing thread ---

void TDrawer::StartWork() {
  calcer_->Reset();
  render_ = makeRenderContext_(*calcer_);
}

void TDrawer::FinishWork() {
  render_.reset();
  calcer_->Stop();
}

void TDrawer::ExecuteCommand() {
  uint32_t command = 0;
  if (Queue().PeekCommand(command)) {
    Dispatch(command);
    if (glStarted_ && animating_) Queue().WakeUp();
  } else if (glStarted_ && animating_) {
    // The wake-up brings the loop straight back: frames follow each other,
    // and a queued command is served between two of them.
    Queue().WakeUp();
    Renderer().Step();
  }
}

template <uint32_t Command, typename Handler>
void TDrawer::Serve(Handler handler) {
  using Params = typename Row<Command>::Params;
  int32_t retDataId = NoRetData;
  Block block{};
  Queue().PopCommand(&retDataId, block.data());
  Params p;
  std::memcpy(&p, block.data(), sizeof p);
  if constexpr (Row<Command>::kind == Kind::Reply) {
    const auto reply = (this->*handler)(p);
    std::array<std::byte, kRetDataSize> data{};
    std::memcpy(data.data(), &reply, sizeof reply);
    RetData().SaveRetData(Command, retDataId, data.data());
    p.event->Set();
  } else {
    (this->*handler)(p);
    if constexpr (Row<Command>::kind == Kind::Wait) p.event->Set();
  }
}

void TDrawer::Dispatch(uint32_t command) {
  switch (command) {
#define CORVANE_DRAWER_CASE(name, id, kind, params, reply) \
  case id:                                                 \
    Serve<id>(&TDrawer::On##name);                         \
    break;
    CORVANE_DRAWER_COMMANDS(CORVANE_DRAWER_CASE)
#undef CORVANE_DRAWER_CASE
    default:
      if (command > drawer_command::Last) throw EDrawerError("Wrong CommandID : " + std::to_string(command));
      // 0, 4, 5 and 9 have no sender and carry nothing: taken off and dropped,
      // so that the queue never sticks on them.
      Queue().PopCommand(nullptr, nullptr);
      break;
  }
}

// --- the handlers; those that need OpenGL do nothing before StartGL, and
// reply commands then answer the neutral value ---

bool TDrawer::OnStartGL(const StartGLParams& p) {
  if (glStarted_) throw EDrawerError("GL already started.");
  const bool started = render_->Init(p.window);
  animating_ = false;
  glStarted_ = true;
  if (started) {
    Renderer().SetPresetName(presetName_);
    Renderer().ShowFrameRate(frameRateShown_);
  }
  return started;
}

bool TDrawer::OnStopGL(const EventParams&) {
  if (glStarted_) render_->Done();
  animating_ = false;
  glStarted_ = false;
  return true;
}

void TDrawer::OnRestart(const NoParams&) { calcer_->Reset(); }

void TDrawer::OnSetViewport(const ViewportParams& p) {
  if (glStarted_) Renderer().SetViewport(p.x, p.y, p.width, p.height, p.fovy, p.aspect, p.zNear, p.zFar);
}

void TDrawer::OnSetViews(const ViewsParams& p) {
  if (glStarted_) Renderer().SetViews(*p.layout, p.fovy, p.zNear, p.zFar);
}

void TDrawer::OnTranslate(const VectorParams& p) {
  if (glStarted_) Renderer().Translate(p.x, p.y, p.z);
}

void TDrawer::OnRotate(const VectorParams& p) {
  if (glStarted_) Renderer().Rotate(p.x, p.y, p.z);
}

void TDrawer::OnCaptureView(const NoParams&) {
  if (glStarted_) Renderer().CaptureView();
}

void TDrawer::OnRepaint(const EventParams&) {
  if (glStarted_) Renderer().Repaint();
}

void TDrawer::OnSetAnimating(const FlagParams& p) {
  if (glStarted_) animating_ = p.value != 0;
}

void TDrawer::OnSetTimeFrozen(const FlagParams& p) {
  if (glStarted_) Renderer().SetTimeFrozen(p.value != 0);
}

void TDrawer::OnSetParam(const ParamParams& p) {
  if (glStarted_) Renderer().SetParam(static_cast<int>(p.number), p.value);
}

double TDrawer::OnGetParam(const GetParamParams& p) {
  return glStarted_ ? Renderer().GetParam(static_cast<int>(p.number)) : 0.0;
}

TextReply TDrawer::OnGetStatusText(const EventParams&) {
  return {glStarted_ ? Renderer().GetStatusText().release() : nullptr};
}

void TDrawer::OnSetVSync(const FlagParams& p) {
  if (glStarted_) Renderer().SetVSync(p.value);
}

uint8_t TDrawer::OnGetVSync(const EventParams&) { return glStarted_ ? Renderer().GetVSync() : 0; }

void TDrawer::OnSetSyncMode(const FlagParams& p) {
  if (glStarted_) Renderer().SetSyncMode(p.value);
}

uint8_t TDrawer::OnGetSyncMode(const EventParams&) { return glStarted_ ? Renderer().GetSyncMode() : 0; }

PixelsReply TDrawer::OnGetPixels(const EventParams&) {
  if (!glStarted_) return {};
  PixelBlock block = Renderer().GetPixels();
  return {static_cast<uint32_t>(block.width), static_cast<uint32_t>(block.height), block.pixels.release()};
}

void TDrawer::OnSetBackgroundColor(const BackgroundColor& c) {
  if (glStarted_) Renderer().SetBackgroundColor(c.r, c.g, c.b, c.a);
}

BackgroundColor TDrawer::OnGetBackgroundColor(const EventParams&) {
  BackgroundColor color;
  if (glStarted_) Renderer().GetBackgroundColor(color.r, color.g, color.b, color.a);
  return color;
}

void TDrawer::OnClearScreen(const NoParams&) {
  if (glStarted_) Renderer().ClearScreen();
}

// Both are kept here as well, since the renderer goes with StopGL and the
// next StartGL makes a fresh one.
void TDrawer::OnShowFrameRate(const FlagParams& p) {
  frameRateShown_ = p.value != 0;
  if (glStarted_) Renderer().ShowFrameRate(frameRateShown_);
}

void TDrawer::OnSetPresetName(const NameParams& p) {
  presetName_ = *p.name;
  if (glStarted_) Renderer().SetPresetName(presetName_);
}

}  // namespace corvane
