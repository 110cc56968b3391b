#include "drawer/drawer.h"

#include <cstring>
#include <type_traits>

#include "drawer/snapshot.h"
#include "os/process.h"

namespace corvane {
namespace {

// Parameter blocks and replies, laid out as the commands carry them; the
// reply event of wait and reply commands is always the last parameter.
struct NoParams {};
struct EventParams {
  Event* event = nullptr;
};
struct StartGLParams {
  NativeWindow window = nullptr;
  Event* event = nullptr;
};
struct ViewportParams {
  int32_t x, y, width, height;
  double fovy, aspect, zNear, zFar;
  Event* event = nullptr;
};
struct VectorParams {
  double x, y, z;
};
struct FlagParams {
  uint8_t value = 0;
  Event* event = nullptr;
};
struct ParamParams {
  uint32_t number;
  double value;
};
struct GetParamParams {
  uint32_t number = 0;
  Event* event = nullptr;
};
struct PixelsReply {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t* pixels = nullptr;  // the receiver frees it
};
struct TextReply {
  ShortString* text = nullptr;  // the receiver frees it
};

template <typename T>
constexpr bool kFitsIn(size_t size) {
  return std::is_trivially_copyable_v<T> && sizeof(T) <= size;
}

}  // namespace

TDrawer::TDrawer(std::unique_ptr<CalcThread> calcer, RenderContextFactory makeRenderContext)
    : TWorker(kParamsSize, kRetDataSize), calcer_(std::move(calcer)), makeRenderContext_(std::move(makeRenderContext)) {
  calcer_->SetPriority(ThreadPriority::Normal);
}

// The worker's deletion has ended this thread before any destructor runs;
// the calculation thread goes with calcer_.
TDrawer::~TDrawer() = default;

// --- senders ---

template <typename Params>
void TDrawer::Post(uint32_t command, const Params& params) {
  static_assert(kFitsIn<Params>(kParamsSize));
  if (Terminated()) return;
  Block block{};
  std::memcpy(block.data(), &params, sizeof params);
  Queue().PushCommand(command, NoRetData, block.data());
}

template <typename Params>
void TDrawer::SendAndWait(uint32_t command, Params params) {
  if (Terminated()) return;
  Event reply(false, false);
  params.event = &reply;
  Post(command, params);
  WaitForReply(reply);
}

template <typename Reply, typename Params>
Reply TDrawer::Request(uint32_t command, Params params) {
  static_assert(kFitsIn<Params>(kParamsSize) && kFitsIn<Reply>(kRetDataSize));
  Reply reply{};
  if (Terminated()) return reply;
  Event event(false, false);
  params.event = &event;
  const int32_t retDataId = RetData().ReserveRetData(command, AutoRetDataID);
  Block block{};
  std::memcpy(block.data(), &params, sizeof params);
  Queue().PushCommand(command, retDataId, block.data());
  std::array<std::byte, kRetDataSize> data{};
  if (WaitForReply(event) && RetData().ExtractRetData(command, retDataId, data.data()))
    std::memcpy(&reply, data.data(), sizeof reply);
  return reply;
}

bool TDrawer::StartGL(NativeWindow window) {
  return Request<bool>(drawer_command::StartGL, StartGLParams{window});
}

bool TDrawer::StopGL() { return Request<bool>(drawer_command::StopGL, EventParams{}); }

void TDrawer::Restart() { Post(drawer_command::Restart, NoParams{}); }

void TDrawer::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy, double aspect,
                          double zNear, double zFar) {
  SendAndWait(drawer_command::SetViewport, ViewportParams{x, y, width, height, fovy, aspect, zNear, zFar});
}

void TDrawer::Translate(double x, double y, double z) { Post(drawer_command::Translate, VectorParams{x, y, z}); }

void TDrawer::Rotate(double ax, double ay, double az) { Post(drawer_command::Rotate, VectorParams{ax, ay, az}); }

void TDrawer::CaptureView() { Post(drawer_command::CaptureView, NoParams{}); }

void TDrawer::Repaint() { SendAndWait(drawer_command::Repaint, EventParams{}); }

void TDrawer::SetAnimating(bool animating) {
  SendAndWait(drawer_command::SetAnimating, FlagParams{static_cast<uint8_t>(animating)});
}

void TDrawer::SetTimeFrozen(bool frozen) {
  Post(drawer_command::SetTimeFrozen, FlagParams{static_cast<uint8_t>(frozen)});
}

void TDrawer::SetParam(int number, double value) {
  Post(drawer_command::SetParam, ParamParams{static_cast<uint32_t>(number), value});
}

double TDrawer::GetParam(int number) {
  return Request<double>(drawer_command::GetParam, GetParamParams{static_cast<uint32_t>(number)});
}

std::string TDrawer::GetStatusText() {
  const std::unique_ptr<ShortString> text(Request<TextReply>(drawer_command::GetStatusText, EventParams{}).text);
  return text ? std::string(text->View()) : std::string();
}

void TDrawer::SetVSync(uint8_t mode) { Post(drawer_command::SetVSync, FlagParams{mode}); }

uint8_t TDrawer::GetVSync() { return Request<uint8_t>(drawer_command::GetVSync, EventParams{}); }

void TDrawer::SetSyncMode(uint8_t mode) { Post(drawer_command::SetSyncMode, FlagParams{mode}); }

uint8_t TDrawer::GetSyncMode() { return Request<uint8_t>(drawer_command::GetSyncMode, EventParams{}); }

PixelBlock TDrawer::GetPixels() {
  const PixelsReply reply = Request<PixelsReply>(drawer_command::GetPixels, EventParams{});
  PixelBlock block;
  block.pixels.reset(reply.pixels);
  if (block.pixels) {
    block.width = static_cast<int32_t>(reply.width);
    block.height = static_cast<int32_t>(reply.height);
  }
  return block;
}

void TDrawer::SetBackgroundColor(BackgroundColor color) { Post(drawer_command::SetBackgroundColor, color); }

BackgroundColor TDrawer::GetBackgroundColor() {
  return Request<BackgroundColor>(drawer_command::GetBackgroundColor, EventParams{});
}

void TDrawer::ClearScreen() { Post(drawer_command::ClearScreen, NoParams{}); }

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

template <typename Params>
Params TDrawer::Pop(int32_t* retDataId) {
  static_assert(kFitsIn<Params>(kParamsSize));
  Block block{};
  Queue().PopCommand(retDataId, block.data());
  Params params;
  std::memcpy(&params, block.data(), sizeof params);
  return params;
}

template <typename Reply>
void TDrawer::Answer(uint32_t command, int32_t retDataId, const Reply& reply, Event* event) {
  std::array<std::byte, kRetDataSize> data{};
  std::memcpy(data.data(), &reply, sizeof reply);
  RetData().SaveRetData(command, retDataId, data.data());
  event->Set();
}

void TDrawer::Dispatch(uint32_t command) {
  namespace cmd = drawer_command;
  int32_t retDataId = NoRetData;
  switch (command) {
    case cmd::StartGL: {
      const auto p = Pop<StartGLParams>(&retDataId);
      if (glStarted_) throw EDrawerError("GL already started.");
      const bool started = render_->Init(p.window);
      animating_ = false;
      glStarted_ = true;
      Answer(command, retDataId, started, p.event);
      break;
    }
    case cmd::StopGL: {
      const auto p = Pop<EventParams>(&retDataId);
      if (glStarted_) render_->Done();
      animating_ = false;
      glStarted_ = false;
      Answer(command, retDataId, true, p.event);
      break;
    }
    case cmd::Restart:
      Pop<NoParams>();
      calcer_->Reset();
      break;
    case cmd::SetViewport: {
      const auto p = Pop<ViewportParams>();
      if (glStarted_) Renderer().SetViewport(p.x, p.y, p.width, p.height, p.fovy, p.aspect, p.zNear, p.zFar);
      p.event->Set();
      break;
    }
    case cmd::Translate: {
      const auto p = Pop<VectorParams>();
      if (glStarted_) Renderer().Translate(p.x, p.y, p.z);
      break;
    }
    case cmd::Rotate: {
      const auto p = Pop<VectorParams>();
      if (glStarted_) Renderer().Rotate(p.x, p.y, p.z);
      break;
    }
    case cmd::CaptureView:
      Pop<NoParams>();
      if (glStarted_) Renderer().CaptureView();
      break;
    case cmd::Repaint: {
      const auto p = Pop<EventParams>();
      if (glStarted_) Renderer().Repaint();
      p.event->Set();
      break;
    }
    case cmd::SetAnimating: {
      const auto p = Pop<FlagParams>();
      if (glStarted_) animating_ = p.value != 0;
      p.event->Set();
      break;
    }
    case cmd::SetTimeFrozen: {
      const auto p = Pop<FlagParams>();
      if (glStarted_) Renderer().SetTimeFrozen(p.value != 0);
      break;
    }
    case cmd::SetParam: {
      const auto p = Pop<ParamParams>();
      if (glStarted_) Renderer().SetParam(static_cast<int>(p.number), p.value);
      break;
    }
    case cmd::GetParam: {
      const auto p = Pop<GetParamParams>(&retDataId);
      Answer(command, retDataId, glStarted_ ? Renderer().GetParam(static_cast<int>(p.number)) : 0.0, p.event);
      break;
    }
    case cmd::GetStatusText: {
      const auto p = Pop<EventParams>(&retDataId);
      Answer(command, retDataId, TextReply{glStarted_ ? Renderer().GetStatusText().release() : nullptr}, p.event);
      break;
    }
    case cmd::SetVSync: {
      const auto p = Pop<FlagParams>();
      if (glStarted_) Renderer().SetVSync(p.value);
      break;
    }
    case cmd::GetVSync: {
      const auto p = Pop<EventParams>(&retDataId);
      Answer(command, retDataId, glStarted_ ? Renderer().GetVSync() : uint8_t{0}, p.event);
      break;
    }
    case cmd::SetSyncMode: {
      const auto p = Pop<FlagParams>();
      if (glStarted_) Renderer().SetSyncMode(p.value);
      break;
    }
    case cmd::GetSyncMode: {
      const auto p = Pop<EventParams>(&retDataId);
      Answer(command, retDataId, glStarted_ ? Renderer().GetSyncMode() : uint8_t{0}, p.event);
      break;
    }
    case cmd::GetPixels: {
      const auto p = Pop<EventParams>(&retDataId);
      PixelsReply reply;
      if (glStarted_) {
        PixelBlock block = Renderer().GetPixels();
        reply = {static_cast<uint32_t>(block.width), static_cast<uint32_t>(block.height), block.pixels.release()};
      }
      Answer(command, retDataId, reply, p.event);
      break;
    }
    case cmd::SetBackgroundColor: {
      const auto c = Pop<BackgroundColor>();
      if (glStarted_) Renderer().SetBackgroundColor(c.r, c.g, c.b, c.a);
      break;
    }
    case cmd::GetBackgroundColor: {
      const auto p = Pop<EventParams>(&retDataId);
      BackgroundColor color;
      if (glStarted_) Renderer().GetBackgroundColor(color.r, color.g, color.b, color.a);
      Answer(command, retDataId, color, p.event);
      break;
    }
    case cmd::ClearScreen:
      Pop<NoParams>();
      if (glStarted_) Renderer().ClearScreen();
      break;
    default:
      if (command > cmd::Last) throw EDrawerError("Wrong CommandID : " + std::to_string(command));
      // 0, 4, 5 and 9 have no sender and carry nothing: taken off and dropped,
      // so that the queue never sticks on them.
      Pop<NoParams>();
      break;
  }
}

}  // namespace corvane
