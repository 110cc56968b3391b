#include "forms/hot_keys.h"

namespace corvane {

std::optional<HotKeyAction> FindHotKey(uint16_t key, ShiftState shift) {
  const bool control = shift.Has(ShiftKey::Control);
  if (!control && !shift.NoModifier()) return std::nullopt;
  for (const HotKey& hotKey : kHotKeys)
    if (hotKey.key == key && hotKey.control == control) return hotKey.action;
  return std::nullopt;
}

}  // namespace corvane
