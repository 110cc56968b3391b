#pragma once
// The time source of the renderer's frame step. The system clock normally;
// tests and the headless renderer step time explicitly.

#include <cstdint>

namespace corvane {

class FrameClock {
 public:
  virtual ~FrameClock() = default;
  virtual double Now() = 0;  // milliseconds
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// The performance-counter clock and a real sleep.
FrameClock& SystemFrameClock();

// Time that moves only when told; Sleep moves it too, so a caller that
// waits for the next tick sees it come.
class ManualFrameClock : public FrameClock {
 public:
  double Now() override { return now_; }
  void Sleep(uint32_t milliseconds) override {
    now_ += milliseconds;
    slept_ += milliseconds;
  }
  void Advance(double milliseconds) { now_ += milliseconds; }
  double Slept() const { return slept_; }

 private:
  double now_ = 0;
  double slept_ = 0;
};

}  // namespace corvane
