#include "shell/monitor_layout.h"

#include <algorithm>

namespace corvane {
namespace {

gui::Rect Union(const std::vector<MonitorArea>& monitors) {
  int left = monitors.front().bounds.left, top = monitors.front().bounds.top;
  int right = monitors.front().bounds.Right(), bottom = monitors.front().bounds.Bottom();
  for (const MonitorArea& monitor : monitors) {
    left = std::min(left, monitor.bounds.left);
    top = std::min(top, monitor.bounds.top);
    right = std::max(right, monitor.bounds.Right());
    bottom = std::max(bottom, monitor.bounds.Bottom());
  }
  return {left, top, right - left, bottom - top};
}

SaverViewport ViewportOver(const gui::Rect& window, const gui::Rect& area, int dpi) {
  return {.monitor = area,
          .x = area.left - window.left,
          .y = window.Bottom() - area.Bottom(),
          .width = area.width,
          .height = area.height,
          .dpi = dpi,
          .aspect = double(area.width) / area.height};
}

}  // namespace

SaverLayout LayOutSaver(const std::vector<MonitorArea>& monitors, MonitorsMode mode) {
  std::vector<MonitorArea> shown;
  for (const MonitorArea& monitor : monitors)
    if (monitor.bounds.width > 0 && monitor.bounds.height > 0) shown.push_back(monitor);
  if (shown.empty()) return {};
  // The primary goes first: in Primary only it is the one drawn.
  auto primary = std::find_if(shown.begin(), shown.end(), [](const MonitorArea& m) { return m.primary; });
  if (primary != shown.end()) std::rotate(shown.begin(), primary, primary + 1);

  SaverLayout layout{.window = Union(shown), .viewports = {}};
  switch (mode) {
    case MonitorsMode::Span:
      layout.viewports.push_back(ViewportOver(layout.window, layout.window, shown.front().dpi));
      break;
    case MonitorsMode::EachMonitor:
      for (const MonitorArea& monitor : shown)
        layout.viewports.push_back(ViewportOver(layout.window, monitor.bounds, monitor.dpi));
      break;
    case MonitorsMode::PrimaryOnly:
      layout.viewports.push_back(ViewportOver(layout.window, shown.front().bounds, shown.front().dpi));
      break;
  }
  return layout;
}

}  // namespace corvane
