#include "render/frame_clock.h"

#include "os/clock.h"

namespace corvane {
namespace {

class SystemClock : public FrameClock {
 public:
  double Now() override { return MilliClock(); }
  void Sleep(uint32_t milliseconds) override { SleepMs(milliseconds); }
};

}  // namespace

FrameClock& SystemFrameClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace corvane
