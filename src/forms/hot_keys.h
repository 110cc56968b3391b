#pragma once
// The program's hot keys, declared once: the main window dispatches them,
// and the tool windows pass their keys on to it.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "forms/camera_input.h"

namespace corvane {

enum class HotKeyAction {
  About,
  Wallpapers,
  ToggleBackground,
  ToggleEnhancedSettings,
  Exit,
  ToggleQuickInfo,
  QuickSaveToFile,
  SaveToRegistry,
  SaveToFile,
  QuickLoadFromFile,
  LoadFromRegistry,
  LoadFromFile,
  Transfer,
  Snapshot,
  FullScreenSwitch,
  ToggleEditor,
  StartStop,
};
inline constexpr size_t kHotKeyActionCount = static_cast<size_t>(HotKeyAction::StartStop) + 1;

struct HotKey {
  uint16_t key;
  bool control;  // the Control block: Control with any other modifiers
  HotKeyAction action;
};

// The Control block comes first; the rest count only with no modifier at all.
inline constexpr HotKey kHotKeys[] = {
    {key::kF1, true, HotKeyAction::About},
    {key::kF2, true, HotKeyAction::Wallpapers},
    {key::kF3, true, HotKeyAction::ToggleBackground},
    {key::kF12, true, HotKeyAction::ToggleEnhancedSettings},
    {key::kEscape, false, HotKeyAction::Exit},
    {key::kF1, false, HotKeyAction::ToggleQuickInfo},
    {key::kF2, false, HotKeyAction::QuickSaveToFile},
    {key::kF3, false, HotKeyAction::SaveToRegistry},
    {key::kF4, false, HotKeyAction::SaveToFile},
    {key::kF5, false, HotKeyAction::QuickLoadFromFile},
    {key::kF6, false, HotKeyAction::LoadFromRegistry},
    {key::kF7, false, HotKeyAction::LoadFromFile},
    {key::kF8, false, HotKeyAction::Transfer},
    {key::kF9, false, HotKeyAction::Snapshot},
    {key::kF11, false, HotKeyAction::FullScreenSwitch},
    {key::kF12, false, HotKeyAction::ToggleEditor},
    {key::kPause, false, HotKeyAction::StartStop},
};

std::optional<HotKeyAction> FindHotKey(uint16_t key, ShiftState shift);

}  // namespace corvane
