#pragma once
// The drawing thread's senders that the main window's decisions use. The
// main window hands its TDrawer over through TDrawerSenders; tests hand a
// recording stand-in.

#include "drawer/drawer.h"

namespace corvane {

class DrawerSenders {
 public:
  virtual ~DrawerSenders() = default;
  virtual void Translate(double x, double y, double z) = 0;
  virtual void Rotate(double ax, double ay, double az) = 0;
  virtual void SetAnimating(bool animating) = 0;
  virtual void SetTimeFrozen(bool frozen) = 0;
  virtual void SetParam(int number, double value) = 0;
  virtual BackgroundColor GetBackgroundColor() = 0;
};

class TDrawerSenders final : public DrawerSenders {
 public:
  explicit TDrawerSenders(TDrawer& drawer) : drawer_(drawer) {}
  void Translate(double x, double y, double z) override { drawer_.Translate(x, y, z); }
  void Rotate(double ax, double ay, double az) override { drawer_.Rotate(ax, ay, az); }
  void SetAnimating(bool animating) override { drawer_.SetAnimating(animating); }
  void SetTimeFrozen(bool frozen) override { drawer_.SetTimeFrozen(frozen); }
  void SetParam(int number, double value) override { drawer_.SetParam(number, value); }
  BackgroundColor GetBackgroundColor() override { return drawer_.GetBackgroundColor(); }

 private:
  TDrawer& drawer_;
};

}  // namespace corvane
