#pragma once
// The preset editor's decisions, free of the window system: which control
// shows a parameter, the captions that follow the controls, which keys the
// editor hands to the main window, and its sorted list of stored presets.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/keys.h"
#include "os/exception.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EAdvancedFormError);
inline constexpr char kWrongParamNumber[] = "Wrong parameter number.";

inline constexpr char kEditorCaption[] = "Settings";
inline constexpr char kStopCaption[] = "Stop";
inline constexpr char kStartCaption[] = "Start";
inline constexpr char kFullCaption[] = "Full";
inline constexpr char kNormalCaption[] = "Normal";
inline constexpr int kBlendingParam = 64;
inline constexpr int kMotionBlurParam = 69;
inline constexpr int kMotionBlurMax = 255;
inline constexpr int kFirstLookAtParam = 55;
inline constexpr int kLastLookAtParam = 63;
inline constexpr int kLookAtTab = 7;

// Where the editor shows a parameter: a row of a tab page (both 1-based),
// the blending radio group, the motion blur slider, or nowhere (the
// background colour belongs to its own window).
enum class EditorControl { Row, Blending, Background, MotionBlur };
struct EditorParamPlace {
  EditorControl control;
  int tab = 0, row = 0;
  friend bool operator==(const EditorParamPlace&, const EditorParamPlace&) = default;
};
// Raises EAdvancedFormError "Wrong parameter number." outside 1..69.
EditorParamPlace EditorPlaceOf(int number);
int EditorParamNumber(int tab, int row);

// The radio button a blending value selects; nothing when it rounds (half
// to even) outside 0..6, which leaves the selection as it is.
std::optional<int> BlendingSelection(double value);
// The slider position of a motion blur value: rounded half to even, held
// to the slider's range.
int MotionBlurPosition(double value);
// " Motion Blur = Off ", " Motion Blur = Max ", " Motion Blur = 8 ".
std::string MotionBlurCaption(int position);
// "Settings  |  " and the drawing thread's status text.
std::string EditorTimerCaption(std::string_view status);

// Keys the editor sees before its controls and passes to the main window's
// hot keys: Ctrl+F1, Ctrl+F2, Ctrl+F3, Ctrl+F12, and without modifiers
// Pause, F9, F11 and F12. F1..F8 are its own menu's short-cuts.
bool EditorPassesKeyOn(gui::Key key, gui::Shift shift);

// The editor's list of stored presets, kept sorted without regard to ASCII
// case (registry key names compare so), with at most one selected entry.
class PresetNameList {
 public:
  void Fill(std::vector<std::string> names);  // nothing selected afterwards
  // Adds a name and selects it; a name already listed is selected instead
  // of listed twice, since both would be the one registry key. Its index.
  int Add(const std::string& name);
  // Removes the selected entry; false when none is selected.
  bool RemoveSelected();
  void Select(int index);  // -1 or an index outside the list selects nothing
  int SelectedIndex() const noexcept { return selected_; }
  std::optional<std::string> Selected() const;
  const std::vector<std::string>& Names() const noexcept { return names_; }

 private:
  std::vector<std::string> names_;
  int selected_ = -1;
};

}  // namespace corvane
