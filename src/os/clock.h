#pragma once
#include <cstdint>

namespace corvane {

// Milliseconds from the performance counter (fractions included).
double MilliClock();
// The raw performance-counter value, for seeding the random generator.
uint64_t PerformanceCounter();
void SleepMs(uint32_t milliseconds);

// Sets the system timer resolution to 1 ms while it lives (Windows only;
// elsewhere the resolution is already fine).
class TimerResolution1ms {
 public:
  TimerResolution1ms();
  ~TimerResolution1ms();
  TimerResolution1ms(const TimerResolution1ms&) = delete;
  TimerResolution1ms& operator=(const TimerResolution1ms&) = delete;

 private:
  bool active_ = false;
};

}  // namespace corvane
