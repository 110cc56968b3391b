#pragma once
// The drawing thread's command table: each command's number, how its sender
// waits, its parameter block and its reply. The command numbers, the
// senders' protocol and the dispatch to the handlers all come from it.

#include <cstdint>
#include <string>

#include "os/sync.h"
#include "render/render_context.h"
#include "render/render_state.h"
#include "render/renderer.h"

namespace corvane {

struct BackgroundColor {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const BackgroundColor&) const = default;
};

namespace drawer_command {

// How a sender waits: not at all, for the handler's event, or for the
// event and then the saved reply.
enum class Kind { Async, Wait, Reply };

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
// The layout stays the sender's: it waits until the handler has copied it,
// and a drawing thread that has ended serves no further command. A list
// does not fit in a block, and a pointer the handler owned would leak with
// a command left in the queue at the end.
struct ViewsParams {
  const ViewLayout* layout = nullptr;
  double fovy, zNear, zFar;
  Event* event = nullptr;
};
// The name stays the sender's, as the layout above.
struct NameParams {
  const std::string* name = nullptr;
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

// One row per command: name, number, kind, parameter block, reply. Numbers
// 4, 5 and 9 have no sender. TDrawer handles each row in On<name>.
#define CORVANE_DRAWER_COMMANDS(X)                                 \
  X(StartGL, 1, Reply, StartGLParams, bool)                        \
  X(StopGL, 2, Reply, EventParams, bool)                           \
  X(Restart, 3, Async, NoParams, void)                             \
  X(SetViewport, 6, Wait, ViewportParams, void)                    \
  X(Translate, 7, Async, VectorParams, void)                       \
  X(Rotate, 8, Async, VectorParams, void)                          \
  X(CaptureView, 10, Async, NoParams, void)                        \
  X(Repaint, 11, Wait, EventParams, void)                          \
  X(SetAnimating, 12, Wait, FlagParams, void)                      \
  X(SetTimeFrozen, 13, Async, FlagParams, void)                    \
  X(SetParam, 14, Async, ParamParams, void)                        \
  X(GetParam, 15, Reply, GetParamParams, double)                   \
  X(GetStatusText, 16, Reply, EventParams, TextReply)              \
  X(SetVSync, 17, Async, FlagParams, void)                         \
  X(GetVSync, 18, Reply, EventParams, uint8_t)                     \
  X(SetSyncMode, 19, Async, FlagParams, void)                      \
  X(GetSyncMode, 20, Reply, EventParams, uint8_t)                  \
  X(GetPixels, 21, Reply, EventParams, PixelsReply)                \
  X(SetBackgroundColor, 22, Async, BackgroundColor, void)          \
  X(GetBackgroundColor, 23, Reply, EventParams, BackgroundColor)   \
  X(ClearScreen, 24, Async, NoParams, void)                        \
  X(SetViews, 25, Wait, ViewsParams, void)                         \
  X(ShowFrameRate, 26, Async, FlagParams, void)                    \
  X(SetPresetName, 27, Wait, NameParams, void)

#define CORVANE_DRAWER_COMMAND_ID(name, id, kind, params, reply) name = id,
enum : uint32_t { CORVANE_DRAWER_COMMANDS(CORVANE_DRAWER_COMMAND_ID) Last = SetPresetName };
#undef CORVANE_DRAWER_COMMAND_ID

// A row as types.
template <uint32_t Command>
struct Row;
#define CORVANE_DRAWER_COMMAND_ROW(name, id, kind_, Params_, Reply_) \
  template <>                                                        \
  struct Row<id> {                                                   \
    static constexpr Kind kind = Kind::kind_;                        \
    using Params = Params_;                                          \
    using Reply = Reply_;                                            \
  };
CORVANE_DRAWER_COMMANDS(CORVANE_DRAWER_COMMAND_ROW)
#undef CORVANE_DRAWER_COMMAND_ROW

}  // namespace drawer_command
}  // namespace corvane
