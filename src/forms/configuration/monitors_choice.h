#pragma once
// The "Monitors" choice as the configuration dialog and the enhanced
// settings window offer it: one item per stored mode, in the mode's order.

#include <string>
#include <vector>

#include "presets/registry_store.h"

namespace corvane {

inline std::vector<std::string> MonitorsChoiceItems() { return {"Span", "Each monitor", "Primary only"}; }

// The stored mode's item; Span where nothing valid is stored.
inline int StoredMonitorsChoice() {
  MonitorsMode mode = MonitorsMode::Span;
  ReadMonitorsMode(mode);
  return int(mode);
}

}  // namespace corvane
