#include <chrono>
#include <thread>

#include "os/clock.h"

namespace corvane {

uint64_t PerformanceCounter() {
  return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

double MilliClock() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void SleepMs(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

TimerResolution1ms::TimerResolution1ms() = default;
TimerResolution1ms::~TimerResolution1ms() = default;

}  // namespace corvane
