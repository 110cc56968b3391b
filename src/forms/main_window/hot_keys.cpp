#include "forms/main_window/hot_keys.h"

namespace corvane {

std::optional<HotKeyAction> FindHotKey(gui::Key key, gui::Shift shift) {
  const bool control = gui::Has(shift, gui::Shift::Ctrl);
  if (!control && gui::KeyModifiers(shift) != gui::Shift::None) return std::nullopt;
  for (const HotKey& hotKey : kHotKeys)
    if (hotKey.key == key && hotKey.control == control) return hotKey.action;
  return std::nullopt;
}

}  // namespace corvane
