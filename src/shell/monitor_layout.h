#pragma once
// Where the full-screen saver draws on a desk of several monitors: from the
// monitors the system reports and the Monitors setting, the one window and
// the viewports the figure is drawn into. One window over every monitor
// keeps the saver's rules (any input ends it, no cursor, power-off stops
// drawing) the same everywhere; the figure is calculated once and drawn into
// each viewport. What lies outside the viewports is black.

#include <vector>

#include "gui/geometry.h"
#include "presets/registry_store.h"

namespace corvane {

struct MonitorArea {
  gui::Rect bounds;  // virtual-screen pixels; left of or above the primary is negative
  bool primary = false;
  int dpi = gui::kDesignDpi;
};

struct SaverViewport {
  gui::Rect monitor;  // what it covers, in virtual-screen pixels
  // The OpenGL viewport: from the window's lower-left corner, y upwards.
  int x = 0, y = 0, width = 0, height = 0;
  int dpi = gui::kDesignDpi;
  double aspect = 1.0;  // width over height, for the camera
};

struct SaverLayout {
  gui::Rect window;  // virtual-screen pixels
  std::vector<SaverViewport> viewports;  // the primary monitor's first
};

// Empty (no window, no viewport) when no monitor has an area. A list
// without a primary takes the first monitor as primary. A layout that
// changes while the saver runs is laid out anew from the new list.
SaverLayout LayOutSaver(const std::vector<MonitorArea>& monitors, MonitorsMode mode);

}  // namespace corvane
