#pragma once
// What the background colour and enhanced settings windows ask of the main
// window: the drawing thread's colour, synchronisation and priorities, and
// the hot keys pressed in them. The main window implements it itself.

#include <cstdint>

#include "drawer/drawer.h"
#include "gui/keys.h"
#include "os/thread.h"

namespace corvane {

class ToolFormHost {
 public:
  virtual ~ToolFormHost() = default;
  virtual void HandleHotKey(gui::Key key, gui::Shift shift) = 0;

  virtual BackgroundColor GetBackgroundColor() = 0;
  virtual void SetBackgroundColor(BackgroundColor color) = 0;

  virtual uint8_t GetSyncMode() = 0;
  virtual void SetSyncMode(uint8_t mode) = 0;
  virtual uint8_t GetVSync() = 0;  // 0 no swap-interval control, 1 on, 2 off
  virtual void SetVSync(uint8_t state) = 0;
  virtual ThreadPriority DrawerPriority() const = 0;
  virtual void SetDrawerPriority(ThreadPriority priority) = 0;
  virtual ThreadPriority CalcPriority() const = 0;
  // The calculation thread and both its makers.
  virtual void SetCalcPriority(ThreadPriority priority) = 0;
};

}  // namespace corvane
