#pragma once
// Captions of the preset editor and the configuration dialog that name
// preset parameters: the editor's tabs and the colour-mode row labels.
// Portable, so that the windows' rules are tested natively.

#include <array>

namespace corvane {

// The editor's seven tabs, nine rows each, labelled with the parameters'
// names: tab t (0-based) shows parameters 9t + 1 to 9t + 9.
inline constexpr std::array<const char*, 7> kEditorTabs = {"Spec.", "Amp.", "Freq.", "Phase",
                                                           "Vector", "Color", "Look At"};
inline constexpr int kRowsPerEditorTab = 9;

// The tab (0-based) that shows parameter `number`; -1 for the parameters
// the tabs leave to other controls (64..69) and for numbers outside 1..69.
int EditorTabOf(int number);

// Row labels of the colour weights 46..54 in the configuration dialog.
inline constexpr int kFirstColorWeight = 46;
inline constexpr std::array<const char*, 9> kColorModeNames = {
    "Red : 0 -> 1",   "Red : 1 -> 0",   "Red : Const",  "Green : 0 -> 1", "Green : 1 -> 0",
    "Green : Const", "Blue : 0 -> 1", "Blue : 1 -> 0", "Blue : Const"};

}  // namespace corvane
