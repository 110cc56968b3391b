#pragma once
// A calculation thread stand-in for drawing-thread tests: it hands out one
// red solid in front of the template camera.

#include <mutex>

#include "drawer/calc_thread.h"

namespace corvane::test {

class FakeCalcThread : public CalcThread {
 public:
  FakeCalcThread() {
    vertex_.axis1[0] = vertex_.axis2[1] = vertex_.axis3[2] = 600;
    vertex_.color[0] = vertex_.color[3] = 255;
  }

  void Reset() override {}
  void SetPriority(ThreadPriority priority) override {
    std::lock_guard lock(mutex_);
    priority_ = priority;
  }
  ThreadPriority Priority() const override {
    std::lock_guard lock(mutex_);
    return priority_;
  }
  void Stop() override {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  void Tick(uint32_t) override {}
  Ticket RequestMake(const double (&)[16]) override { return 1; }
  MakeResult FetchMake(Ticket) override { return {&vertex_, &key_, &order_, nullptr, nullptr, nullptr, 1, 0}; }
  void SetParam(int, double) override {}
  double GetParam(int) override { return 0; }

  bool Stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
  }

 private:
  mutable std::mutex mutex_;
  bool stopped_ = false;
  ThreadPriority priority_ = ThreadPriority::Idle;
  VertexRecord vertex_{};
  int32_t key_ = -3000;
  uint32_t order_ = 1;
};

}  // namespace corvane::test
