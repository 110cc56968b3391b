#pragma once
// A calculation thread stand-in for renderer tests: it records what the
// renderer sends and hands back whatever geometry the test gives it.

#include <map>
#include <vector>

#include "render/calc_client.h"

namespace corvane::test {

class FakeCalcer : public CalcClient {
 public:
  void Tick(uint32_t count) override { ticks.push_back(count); }
  Ticket RequestMake(const double (&)[16]) override { return ++lastTicket; }
  MakeResult FetchMake(Ticket ticket) override {
    fetched.push_back(ticket);
    return geometry;
  }
  void SetParam(int number, double value) override { params[number] = value; }
  double GetParam(int number) override {
    auto found = params.find(number);
    return found == params.end() ? 0.0 : found->second;
  }

  std::vector<uint32_t> ticks;
  std::vector<Ticket> fetched;
  std::map<int, double> params;
  MakeResult geometry;  // what every FetchMake hands out
  Ticket lastTicket = 0;
};

}  // namespace corvane::test
