#include <windows.h>
#include <mmsystem.h>

#include "os/clock.h"
#include "os/system_library_win32.h"

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

using TimePeriodFn = MMRESULT(WINAPI*)(UINT);

}  // namespace

uint64_t PerformanceCounter() {
  LARGE_INTEGER value;
  if (CounterFrequency() != 1000 && QueryPerformanceCounter(&value)) return static_cast<uint64_t>(value.QuadPart);
  static const auto getTime = SystemRoutine<DWORD(WINAPI*)()>(L"winmm.dll", "timeGetTime");
  return getTime ? getTime() : GetTickCount();
}

double MilliClock() {
  return static_cast<double>(PerformanceCounter()) * 1000.0 / static_cast<double>(CounterFrequency());
}

void SleepMs(uint32_t milliseconds) { Sleep(milliseconds); }

TimerResolution1ms::TimerResolution1ms() {
  static const auto beginPeriod = SystemRoutine<TimePeriodFn>(L"winmm.dll", "timeBeginPeriod");
  active_ = beginPeriod && beginPeriod(1) == TIMERR_NOERROR;
}

TimerResolution1ms::~TimerResolution1ms() {
  static const auto endPeriod = SystemRoutine<TimePeriodFn>(L"winmm.dll", "timeEndPeriod");
  if (active_ && endPeriod) endPeriod(1);
}

}  // namespace corvane
