#include "forms/preset_editor/preset_editor_rules.h"

#include <algorithm>
#include <cmath>

#include "figure/preset_params.h"
#include "forms/main_window/hot_keys.h"
#include "forms/preset_editor/preset_editor_captions.h"
#include "os/text.h"

namespace corvane {

EditorParamPlace EditorPlaceOf(int number) {
  if (int tab = EditorTabOf(number); tab >= 0)
    return {EditorControl::Row, tab + 1, (number - 1) % kRowsPerEditorTab + 1};
  if (number == kBlendingParam) return {EditorControl::Blending};
  if (number > kBlendingParam && number < kMotionBlurParam) return {EditorControl::Background};
  if (number == kMotionBlurParam) return {EditorControl::MotionBlur};
  throw EAdvancedFormError(kWrongParamNumber);
}

int EditorParamNumber(int tab, int row) { return kRowsPerEditorTab * (tab - 1) + row; }

std::optional<int> BlendingSelection(double value) {
  // Compared as doubles first: NaN and huge values have no integer.
  double rounded = std::nearbyint(value);
  if (!(rounded >= 0 && rounded <= 6)) return std::nullopt;
  return int(rounded);
}

int MotionBlurPosition(double value) {
  double rounded = std::nearbyint(value);
  if (!(rounded > 0)) return 0;
  return int(std::min<double>(rounded, kMotionBlurMax));
}

std::string MotionBlurCaption(int position) {
  if (position == 0) return " Motion Blur = Off ";
  if (position == kMotionBlurMax) return " Motion Blur = Max ";
  return " Motion Blur = " + std::to_string(position) + " ";
}

std::string EditorTimerCaption(std::string_view status) {
  return std::string(kEditorCaption) + "  |  " + std::string(status);
}

bool EditorPassesKeyOn(gui::Key key, gui::Shift shift) {
  std::optional<HotKeyAction> action = FindHotKey(key, shift);
  if (!action) return false;
  switch (*action) {
    case HotKeyAction::About:
    case HotKeyAction::Wallpapers:
    case HotKeyAction::ToggleBackground:
    case HotKeyAction::ToggleEnhancedSettings:
    case HotKeyAction::StartStop:
    case HotKeyAction::Snapshot:
    case HotKeyAction::FullScreenSwitch:
    case HotKeyAction::ToggleEditor:
    case HotKeyAction::ToggleFrameRate:
      return true;
    default:
      return false;
  }
}

namespace {

bool SortsBefore(const std::string& a, const std::string& b) {
  std::string lowerA = AsciiLower(a), lowerB = AsciiLower(b);
  return lowerA != lowerB ? lowerA < lowerB : a < b;
}

}  // namespace

void PresetNameList::Fill(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), SortsBefore);
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return EqualIgnoringAsciiCase(a, b); }),
              names.end());
  names_ = std::move(names);
  selected_ = -1;
}

int PresetNameList::Add(const std::string& name) {
  auto at = std::find_if(names_.begin(), names_.end(),
                         [&](const std::string& listed) { return EqualIgnoringAsciiCase(listed, name); });
  if (at == names_.end()) at = names_.insert(std::upper_bound(names_.begin(), names_.end(), name, SortsBefore), name);
  selected_ = int(at - names_.begin());
  return selected_;
}

bool PresetNameList::RemoveSelected() {
  if (selected_ < 0) return false;
  names_.erase(names_.begin() + selected_);
  selected_ = -1;
  return true;
}

void PresetNameList::Select(int index) { selected_ = index >= 0 && index < int(names_.size()) ? index : -1; }

std::optional<std::string> PresetNameList::Selected() const {
  if (selected_ < 0) return std::nullopt;
  return names_[size_t(selected_)];
}

}  // namespace corvane
