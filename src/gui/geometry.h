#pragma once
// Layout arithmetic of the widget layer, free of the window system so that
// it is tested natively. Layouts are written in pixels at 96 dpi and scaled
// to the window's dpi when they are applied.

#include <vector>

namespace corvane::gui {

constexpr int kDesignDpi = 96;

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A 96-dpi length at `dpi`, rounded to the nearest pixel (halves away from
// zero), the way the system scales its own metrics.
int ScaleToDpi(int value, int dpi);
Size ScaleToDpi(Size size, int dpi);
// Edges are scaled, not origin and extent apart, so that neighbours that
// touch at 96 dpi still touch at any dpi.
Rect ScaleToDpi(Rect rect, int dpi);

// Where a box of `size` sits centred in `area` (the work area of a monitor);
// a box larger than the area keeps to its top-left corner.
Point CentreIn(const Rect& area, Size size);

// Docking: each child takes a strip of the space the earlier ones left,
// in order; Fill takes what remains after all strips. Children with None keep their bounds.
enum class Align { None, Top, Bottom, Left, Right, Fill };
struct DockItem {
  Align align = Align::None;
  Rect bounds;  // the strip's thickness comes from its height (Top, Bottom) or width (Left, Right)
};
std::vector<Rect> DockLayout(const Rect& client, const std::vector<DockItem>& items);

}  // namespace corvane::gui
