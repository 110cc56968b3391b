#include "gui/geometry.h"

#include <algorithm>
#include <cstdint>

namespace corvane::gui {

int ScaleToDpi(int value, int dpi) {
  int64_t scaled = int64_t(value) * dpi;
  int64_t half = kDesignDpi / 2;
  return int(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

Size ScaleToDpi(Size size, int dpi) { return {ScaleToDpi(size.width, dpi), ScaleToDpi(size.height, dpi)}; }

Rect ScaleToDpi(Rect rect, int dpi) {
  int left = ScaleToDpi(rect.left, dpi), top = ScaleToDpi(rect.top, dpi);
  return {left, top, ScaleToDpi(rect.Right(), dpi) - left, ScaleToDpi(rect.Bottom(), dpi) - top};
}

Point CentreIn(const Rect& area, Size size) {
  return {area.left + std::max(0, (area.width - size.width) / 2),
          area.top + std::max(0, (area.height - size.height) / 2)};
}

std::vector<Rect> DockLayout(const Rect& client, const std::vector<DockItem>& items) {
  Rect rest = client;
  std::vector<Rect> result;
  result.reserve(items.size());
  for (const DockItem& item : items) {
    Rect placed = item.bounds;
    switch (item.align) {
      case Align::None:
      case Align::Fill:  // placed below, once every strip has been taken
        break;
      case Align::Top: {
        int height = std::clamp(item.bounds.height, 0, rest.height);
        placed = {rest.left, rest.top, rest.width, height};
        rest.top += height;
        rest.height -= height;
        break;
      }
      case Align::Bottom: {
        int height = std::clamp(item.bounds.height, 0, rest.height);
        placed = {rest.left, rest.Bottom() - height, rest.width, height};
        rest.height -= height;
        break;
      }
      case Align::Left: {
        int width = std::clamp(item.bounds.width, 0, rest.width);
        placed = {rest.left, rest.top, width, rest.height};
        rest.left += width;
        rest.width -= width;
        break;
      }
      case Align::Right: {
        int width = std::clamp(item.bounds.width, 0, rest.width);
        placed = {rest.Right() - width, rest.top, width, rest.height};
        rest.width -= width;
        break;
      }
    }
    result.push_back(placed);
  }
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].align == Align::Fill) result[i] = rest;
  return result;
}

}  // namespace corvane::gui
