#pragma once
// A stand-in for the drawing thread's senders that records every call.

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "forms/main_window/drawer_senders.h"

namespace corvane::test {

struct SentCall {
  std::string name;
  std::array<double, 3> args{};
  bool operator==(const SentCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SentCall& call) {
  return out << call.name << "(" << call.args[0] << ", " << call.args[1] << ", " << call.args[2] << ")";
}

inline SentCall Rotate(double ax, double ay, double az) { return {"Rotate", {ax, ay, az}}; }
inline SentCall Translate(double x, double y, double z) { return {"Translate", {x, y, z}}; }
inline SentCall Animating(bool on) { return {"SetAnimating", {double(on), 0, 0}}; }
inline SentCall TimeFrozen(bool on) { return {"SetTimeFrozen", {double(on), 0, 0}}; }
inline SentCall Param(int number, double value) { return {"SetParam", {double(number), value, 0}}; }
inline SentCall ReadBackground() { return {"GetBackgroundColor", {}}; }

class RecordingDrawer final : public DrawerSenders {
 public:
  void Translate(double x, double y, double z) override { calls.push_back(test::Translate(x, y, z)); }
  void Rotate(double ax, double ay, double az) override { calls.push_back(test::Rotate(ax, ay, az)); }
  void SetAnimating(bool on) override { calls.push_back(Animating(on)); }
  void SetTimeFrozen(bool on) override { calls.push_back(TimeFrozen(on)); }
  void SetParam(int number, double value) override { calls.push_back(Param(number, value)); }
  BackgroundColor GetBackgroundColor() override {
    calls.push_back(ReadBackground());
    return background;
  }

  // Answers the calls so far and forgets them.
  std::vector<SentCall> Take() { return std::exchange(calls, {}); }

  std::vector<SentCall> calls;
  BackgroundColor background{};
};

}  // namespace corvane::test
