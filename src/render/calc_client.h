#pragma once
// What the renderer asks of the calculation thread. The drawing thread hands
// the renderer its calculation thread through this, and tests hand it a fake.

#include <cstdint>

#include "figure/geometry.h"

namespace corvane {

class CalcClient {
 public:
  using Ticket = uint32_t;  // 0: no make is pending

  virtual ~CalcClient() = default;
  virtual void Tick(uint32_t count) = 0;
  // Starts building the geometry seen through the model-view matrix.
  virtual Ticket RequestMake(const double (&modelView)[16]) = 0;
  // Waits for that build; all zero when the calculation thread is stopping.
  virtual MakeResult FetchMake(Ticket ticket) = 0;
  virtual void SetParam(int number, double value) = 0;
  virtual double GetParam(int number) = 0;
};

}  // namespace corvane
