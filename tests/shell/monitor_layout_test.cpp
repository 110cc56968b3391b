#include "shell/monitor_layout.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using gui::Rect;

// A viewport as the drawer receives it: OpenGL position, size, dpi.
struct Placed {
  int x, y, width, height, dpi;
  bool operator==(const Placed&) const = default;
};
std::vector<Placed> Placements(const SaverLayout& layout) {
  std::vector<Placed> placed;
  for (const SaverViewport& v : layout.viewports) placed.push_back({v.x, v.y, v.width, v.height, v.dpi});
  return placed;
}

TEST(MonitorLayout, SideBySideInEachMode) {
  const std::vector<MonitorArea> desk = {{{0, 0, 1280, 1024}, true, 96}, {{1280, 0, 1280, 1024}, false, 96}};
  for (MonitorsMode mode : {MonitorsMode::Span, MonitorsMode::EachMonitor, MonitorsMode::PrimaryOnly})
    EXPECT_EQ(LayOutSaver(desk, mode).window, (Rect{0, 0, 2560, 1024})) << int(mode);

  const SaverLayout span = LayOutSaver(desk, MonitorsMode::Span);
  EXPECT_EQ(Placements(span), (std::vector<Placed>{{0, 0, 2560, 1024, 96}}));
  EXPECT_DOUBLE_EQ(span.viewports[0].aspect, 2.5);

  const SaverLayout each = LayOutSaver(desk, MonitorsMode::EachMonitor);
  EXPECT_EQ(Placements(each), (std::vector<Placed>{{0, 0, 1280, 1024, 96}, {1280, 0, 1280, 1024, 96}}));
  EXPECT_DOUBLE_EQ(each.viewports[1].aspect, 1.25);

  // The rest of the window, the secondary, stays black.
  EXPECT_EQ(Placements(LayOutSaver(desk, MonitorsMode::PrimaryOnly)),
            (std::vector<Placed>{{0, 0, 1280, 1024, 96}}));
}

TEST(MonitorLayout, MonitorsLeftOfAndAboveThePrimaryHaveNegativeCoordinates) {
  // A primary with one monitor to its left and one above; OpenGL counts
  // from the window's lower-left corner.
  const std::vector<MonitorArea> desk = {{{-1024, 0, 1024, 768}, false, 96},
                                         {{0, 0, 1920, 1080}, true, 96},
                                         {{0, -1200, 1920, 1200}, false, 96}};
  const SaverLayout each = LayOutSaver(desk, MonitorsMode::EachMonitor);
  EXPECT_EQ(each.window, (Rect{-1024, -1200, 2944, 2280}));
  EXPECT_EQ(Placements(each), (std::vector<Placed>{{1024, 0, 1920, 1080, 96},  // the primary first
                                                   {0, 312, 1024, 768, 96},
                                                   {1024, 1080, 1920, 1200, 96}}));
  EXPECT_EQ(each.viewports[0].monitor, (Rect{0, 0, 1920, 1080}));

  EXPECT_EQ(Placements(LayOutSaver(desk, MonitorsMode::PrimaryOnly)),
            (std::vector<Placed>{{1024, 0, 1920, 1080, 96}}));
}

TEST(MonitorLayout, MixedSizesAndDpiGiveEachViewportItsOwnAspectAndDpi) {
  const std::vector<MonitorArea> desk = {{{0, 0, 2560, 1440}, true, 144}, {{2560, 0, 1280, 1024}, false, 96}};
  const SaverLayout each = LayOutSaver(desk, MonitorsMode::EachMonitor);
  EXPECT_EQ(Placements(each), (std::vector<Placed>{{0, 0, 2560, 1440, 144}, {2560, 416, 1280, 1024, 96}}));
  EXPECT_DOUBLE_EQ(each.viewports[0].aspect, 16.0 / 9.0);
  EXPECT_DOUBLE_EQ(each.viewports[1].aspect, 1.25);
  // Spanning, the figure is at the primary's dpi over the whole window.
  EXPECT_EQ(Placements(LayOutSaver(desk, MonitorsMode::Span)), (std::vector<Placed>{{0, 0, 3840, 1440, 144}}));
}

TEST(MonitorLayout, ALayoutThatChangesLeavesNoViewportOnAMonitorThatIsGone) {
  const std::vector<MonitorArea> docked = {{{0, 0, 1920, 1080}, false, 96}, {{1920, 0, 1366, 768}, true, 96}};
  const std::vector<MonitorArea> undocked = {{{0, 0, 1366, 768}, true, 96}};
  ASSERT_EQ(LayOutSaver(docked, MonitorsMode::EachMonitor).viewports.size(), 2u);
  for (MonitorsMode mode : {MonitorsMode::Span, MonitorsMode::EachMonitor, MonitorsMode::PrimaryOnly}) {
    const SaverLayout layout = LayOutSaver(undocked, mode);
    EXPECT_EQ(layout.window, (Rect{0, 0, 1366, 768})) << int(mode);
    EXPECT_EQ(Placements(layout), (std::vector<Placed>{{0, 0, 1366, 768, 96}})) << int(mode);
  }
}

TEST(MonitorLayout, EmptyMonitorsAreSkippedAndAListWithoutPrimaryTakesTheFirst) {
  EXPECT_TRUE(LayOutSaver({}, MonitorsMode::Span).viewports.empty());
  EXPECT_EQ(LayOutSaver({{{5, 5, 0, 600}, true, 96}}, MonitorsMode::EachMonitor).window, Rect{});

  const std::vector<MonitorArea> desk = {{{0, 0, 0, 0}, true, 96},
                                         {{800, 0, 800, 600}, false, 120},
                                         {{0, 0, 800, 600}, false, 96}};
  const SaverLayout primary = LayOutSaver(desk, MonitorsMode::PrimaryOnly);
  EXPECT_EQ(primary.window, (Rect{0, 0, 1600, 600}));
  EXPECT_EQ(Placements(primary), (std::vector<Placed>{{800, 0, 800, 600, 120}}));
}

}  // namespace
}  // namespace corvane
