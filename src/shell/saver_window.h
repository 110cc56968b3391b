#pragma once
// The window of the two saver run modes: a plain window class with a
// hand-written message loop that drives one drawing thread directly.

#include <windows.h>

namespace corvane {

inline constexpr wchar_t kSaverWindowClass[] = L"CorvaneScreenSaverClass";
inline constexpr UINT_PTR kSaverTimerId = 9;
inline constexpr UINT kSaverTimerPeriodMs = 500;
inline constexpr int kInputEventsPerPeriod = 5;
// Low-power (1) and power-off (2) requests arrive with this system command.
inline constexpr WPARAM kMonitorPowerCommand = 0xF170;

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
