#include <windows.h>
#include <mmsystem.h>

#include "os/clock.h"

namespace corvane {
namespace {

// 1000 when there is no performance counter: the counter is then the
// multimedia timer's milliseconds.
int64_t CounterFrequency() {
  static const int64_t frequency = [] {
    LARGE_INTEGER value;
    return QueryPerformanceFrequency(&value) && value.QuadPart > 0 ? value.QuadPart : int64_t{1000};
  }();
  return frequency;
}

}  // namespace

uint64_t PerformanceCounter() {
  LARGE_INTEGER value;
  if (CounterFrequency() != 1000 && QueryPerformanceCounter(&value)) return static_cast<uint64_t>(value.QuadPart);
  return timeGetTime();
}

double MilliClock() {
  return static_cast<double>(PerformanceCounter()) * 1000.0 / static_cast<double>(CounterFrequency());
}

void SleepMs(uint32_t milliseconds) { Sleep(milliseconds); }

TimerResolution1ms::TimerResolution1ms() : active_(timeBeginPeriod(1) == TIMERR_NOERROR) {}

TimerResolution1ms::~TimerResolution1ms() {
  if (active_) timeEndPeriod(1);
}

}  // namespace corvane
