#pragma once
// The texts of the Quick Info and About windows.

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kQuickInfoLines[] = {
    "",
    "Hot keys:",
    "",
    "ESC    -  Exit",
    "F1     -  Quick Info",
    "F2     -  Quick save to file",
    "F3     -  Save to registry",
    "F4     -  Save to file",
    "F5     -  Quick load from file",
    "F6     -  Load from registry",
    "F7     -  Load from file",
    "F8     -  Transfer",
    "F9     -  SNAPSHOT",
    "F11    -  Full screen / Normal ",
    "F12    -  Settings (Show / Hide)",
    "Pause  -  Start / Stop",
    "Ctrl+F -  Frames per second (Show / Hide)",
    "",
    "",
    "Moving and rotating in 3D space:",
    "",
    "Set the keyboard focus to the main window",
    "",
    "Arrows (Up, Down, Left, Right)",
    "Arrows (Up, Down, Left, Right) + Shift",
    "Arrows (Up, Down, Left, Right) + Control",
    "",
    "Press and hold the right mouse button on main ",
    "window",
    "",
    "Mouse (Up, Down, Left, Right)",
    "Mouse (Up, Down, Left, Right) + Shift",
    "Mouse (Up, Down, Left, Right) + Control",
    "",
    "Mouse wheel (Up, Down)",
    "Mouse wheel (Up, Down) + Shift",
    "Mouse wheel (Up, Down) + Control",
    "",
    "to be continued...",
};

// The lines joined with CR LF, as a multi-line edit shows them.
std::string QuickInfoText();

inline constexpr char kProductName[] = "Corvane";
inline constexpr char kVersionPrefix[] = "Version  ";
inline constexpr char kFileVersionPrefix[] = "File version  ";

// The owner, contact and web lines; OpenURL adds the "http://".
inline constexpr char kOwnerLine[] = "A screen saver of the Corvane project";
inline constexpr char kContactAddress[] = "corvane@example.org";
inline constexpr char kWebAddress[] = "corvane.example.org";

}  // namespace corvane
