#pragma once
// What the background colour and enhanced settings windows ask of the main
// window: the drawing thread's colour, synchronisation and priorities, and
// the hot keys pressed in them.

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
  virtual ThreadPriority DrawPriority() = 0;
  virtual void SetDrawPriority(ThreadPriority priority) = 0;
  virtual ThreadPriority CalcPriority() = 0;
  // The calculation thread and both its makers.
  virtual void SetCalcPriority(ThreadPriority priority) = 0;
};

// The main window as a host: forwards each request to the operation of the
// same meaning (Main is the main window's class).
template <typename Main>
class MainWindowHost final : public ToolFormHost {
 public:
  explicit MainWindowHost(Main& main) : main_(main) {}
  void HandleHotKey(gui::Key key, gui::Shift shift) override { main_.HandleHotKey(key, shift); }
  BackgroundColor GetBackgroundColor() override { return main_.GetBackgroundColor(); }
  void SetBackgroundColor(BackgroundColor color) override { main_.SetBackgroundColor(color); }
  uint8_t GetSyncMode() override { return main_.GetSyncMode(); }
  void SetSyncMode(uint8_t mode) override { main_.SetSyncMode(mode); }
  uint8_t GetVSync() override { return main_.GetVSync(); }
  void SetVSync(uint8_t state) override { main_.SetVSync(state); }
  ThreadPriority DrawPriority() override { return main_.DrawerPriority(); }
  void SetDrawPriority(ThreadPriority priority) override { main_.SetDrawerPriority(priority); }
  ThreadPriority CalcPriority() override { return main_.CalcPriority(); }
  void SetCalcPriority(ThreadPriority priority) override { main_.SetCalcPriority(priority); }

 private:
  Main& main_;
};

}  // namespace corvane
