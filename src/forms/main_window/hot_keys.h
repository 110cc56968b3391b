#pragma once
// The program's hot keys, declared once: the main window dispatches them,
// and the tool windows pass their keys on to it.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "forms/main_window/camera_input.h"

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
  ToggleFrameRate,
  StartStop,
};
inline constexpr size_t kHotKeyActionCount = static_cast<size_t>(HotKeyAction::StartStop) + 1;

struct HotKey {
  gui::Key key;
  bool control;  // the Control block: Control with any other modifiers
  HotKeyAction action;
};

// The Control block comes first; the rest count only with no modifier at all.
inline constexpr HotKey kHotKeys[] = {
    {gui::keys::F(1), true, HotKeyAction::About},
    {gui::keys::F(2), true, HotKeyAction::Wallpapers},
    {gui::keys::F(3), true, HotKeyAction::ToggleBackground},
    {gui::keys::F(12), true, HotKeyAction::ToggleEnhancedSettings},
    // Not F10, which opens the menu bar.
    {gui::Key('F'), true, HotKeyAction::ToggleFrameRate},
    {gui::keys::kEscape, false, HotKeyAction::Exit},
    {gui::keys::F(1), false, HotKeyAction::ToggleQuickInfo},
    {gui::keys::F(2), false, HotKeyAction::QuickSaveToFile},
    {gui::keys::F(3), false, HotKeyAction::SaveToRegistry},
    {gui::keys::F(4), false, HotKeyAction::SaveToFile},
    {gui::keys::F(5), false, HotKeyAction::QuickLoadFromFile},
    {gui::keys::F(6), false, HotKeyAction::LoadFromRegistry},
    {gui::keys::F(7), false, HotKeyAction::LoadFromFile},
    {gui::keys::F(8), false, HotKeyAction::Transfer},
    {gui::keys::F(9), false, HotKeyAction::Snapshot},
    {gui::keys::F(11), false, HotKeyAction::FullScreenSwitch},
    {gui::keys::F(12), false, HotKeyAction::ToggleEditor},
    {gui::keys::kPause, false, HotKeyAction::StartStop},
};

std::optional<HotKeyAction> FindHotKey(gui::Key key, gui::Shift shift);

}  // namespace corvane
