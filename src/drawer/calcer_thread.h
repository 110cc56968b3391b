#pragma once
// The calculation thread TCalcer behind the drawing thread's interface.

#include <functional>
#include <memory>

#include "drawer/calc_thread.h"
#include "figure/calcer.h"

namespace corvane {

class CalcerThread final : public CalcThread {
 public:
  // Creates the calculation thread with its makers and lets it run;
  // `onEnd` runs when any of the three threads ends (the application mode
  // terminates then).
  explicit CalcerThread(std::function<void()> onEnd = {});
  // Stops the thread and waits for it.
  ~CalcerThread() override = default;

  void Reset() override { calcer_->Reset(); }
  void SetPriority(ThreadPriority priority) override { calcer_->SetPriority(priority); }
  ThreadPriority Priority() const override { return calcer_->GetPriority(); }
  void Stop() override { calcer_->StopWorker(); }

  void Tick(uint32_t count) override { calcer_->Tick(count); }
  Ticket RequestMake(const double (&modelView)[16]) override { return calcer_->RequestMake(modelView); }
  MakeResult FetchMake(Ticket ticket) override { return calcer_->FetchMake(ticket); }
  void SetParam(int number, double value) override { calcer_->SetParam(number, value); }
  double GetParam(int number) override { return calcer_->GetParam(number); }

 private:
  std::unique_ptr<TCalcer> calcer_;
};

}  // namespace corvane
