#pragma once
// A calculation thread stand-in for drawing-thread tests: it hands out one
// red solid in front of the template camera, and its Reset can be held up
// to keep the drawing thread busy.

#include <condition_variable>
#include <mutex>

#include "drawer/calc_thread.h"

namespace corvane::test {

class FakeCalcThread : public CalcThread {
 public:
  FakeCalcThread() {
    vertex_.axis1[0] = vertex_.axis2[1] = vertex_.axis3[2] = 600;
    vertex_.color[0] = vertex_.color[3] = 255;
  }

  void Reset() override {
    std::unique_lock lock(mutex_);
    ++resets_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !holdResets_; });
  }
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

  // While held, Reset blocks its caller.
  void HoldResets(bool hold) {
    std::lock_guard lock(mutex_);
    holdResets_ = hold;
    changed_.notify_all();
  }
  void WaitForResets(int count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return resets_ >= count; });
  }
  bool Stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int resets_ = 0;
  bool holdResets_ = false;
  bool stopped_ = false;
  ThreadPriority priority_ = ThreadPriority::Idle;
  VertexRecord vertex_{};
  int32_t key_ = -3000;
  uint32_t order_ = 1;
};

}  // namespace corvane::test
