// A form's keyboard as in the system's dialogs: key preview, accelerators
// of the menu's short cuts, Enter and Esc for the default and cancel
// buttons, Tab and the arrows of a radio group.
#include "gui/form_win32.h"

#include "gui/application_win32.h"
#include "gui/controls_win32.h"
#include "gui/menu_win32.h"
#include "os/os_error.h"

namespace corvane::gui {
namespace {

// An arrow on a radio button moves the choice within its group, as in the
// system's dialogs; false when the group has no other item.
bool MoveInRadioGroup(HWND item, bool backwards) {
  HWND next = GetNextDlgGroupItem(GetParent(item), item, backwards);
  if (!next || next == item) return false;
  ::SetFocus(next);
  SendMessageW(next, BM_CLICK, 0, 0);
  return true;
}

// A container that is a tab stop of its own, as a tab control holding its
// pages: the system's walk passes over it into its children, so the keyboard
// could never reach its tabs.
bool IsStopContainer(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) &&
         (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsWindowVisible(window) &&
         IsWindowEnabled(window);
}

HWND StopContainerAround(HWND window, HWND form) {
  for (HWND w = GetParent(window); w && w != form; w = GetParent(w))
    if (IsStopContainer(w)) return w;
  return nullptr;
}

// The system's Tab walk, with such a container as a stop before its children
// going forwards and after them going backwards.
HWND NextTabStop(HWND form, HWND focus, bool backwards) {
  if (!backwards && IsStopContainer(focus))
    if (HWND inside = GetNextDlgTabItem(focus, nullptr, FALSE)) return inside;
  HWND next = GetNextDlgTabItem(form, focus, backwards);
  if (!next) return nullptr;
  HWND from = StopContainerAround(focus, form);
  HWND to = StopContainerAround(next, form);
  if (!backwards && to && to != from && to != focus) return to;
  if (backwards && from && to != from) return from;
  return next;
}

}  // namespace

UINT Form::AddCommand(MenuItem& item) {
  UINT id = nextCommand_++;
  commands_[id] = &item;
  return id;
}

void Form::RemoveCommand(UINT id) noexcept {
  commands_.erase(id);
  acceleratorsDirty_ = true;
}

bool Form::RunCommand(UINT id) {
  auto found = commands_.find(id);
  if (found == commands_.end()) return false;
  try {
    found->second->Click();
  } catch (...) {
    Application::ReportCurrentException(ClassName(), "MenuItem");
  }
  return true;
}

void Form::RebuildAccelerators() {
  acceleratorsDirty_ = false;
  std::vector<ACCEL> table;
  for (const auto& [id, item] : commands_) {
    if (!item->ShortCutKey()) continue;
    const ShortCut& shortCut = *item->ShortCutKey();
    BYTE flags = FVIRTKEY;
    if (Has(shortCut.modifiers, Shift::Shift)) flags |= FSHIFT;
    if (Has(shortCut.modifiers, Shift::Ctrl)) flags |= FCONTROL;
    if (Has(shortCut.modifiers, Shift::Alt)) flags |= FALT;
    table.push_back({flags, shortCut.key, WORD(id)});
  }
  accelerators_.reset();
  if (table.empty()) return;
  HACCEL handle = CreateAcceleratorTableW(table.data(), int(table.size()));
  if (!handle) RaiseLastOSErrorAt();
  accelerators_.reset(handle);
}

bool Form::ClickButton(Button* button) {
  if (!button || !button->Enabled() || !button->Visible()) return false;
  Guard(*button, [&] { button->Click(); });
  return true;
}

bool Form::PreTranslate(MSG& message) {
  const bool toSelf = message.hwnd == Handle();
  if (keyPreview_ && !toSelf) {
    bool handled = false;
    switch (message.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYUP: {
        bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        auto& handler = down ? onKeyDown : onKeyUp;
        if (!handler) break;
        KeyEvent event{Key(message.wParam), KeyboardShift()};
        Guard(*this, [&] { handler(event); });
        handled = event.handled;
        break;
      }
      case WM_CHAR:
        if (!onKeyPress) break;
        {
          CharEvent event{wchar_t(message.wParam)};
          Guard(*this, [&] { onKeyPress(event); });
          handled = event.character == 0;
          message.wParam = event.character;
        }
        break;
    }
    if (handled) return true;
  }
  if (acceleratorsDirty_) RebuildAccelerators();
  if (accelerators_ && TranslateAcceleratorW(Handle(), accelerators_.get(), &message)) return true;
  if (message.message != WM_KEYDOWN) return false;

  LRESULT wants = toSelf ? 0 : SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                                            reinterpret_cast<LPARAM>(&message));
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  switch (message.wParam) {
    case VK_TAB:
      if (wants & DLGC_WANTTAB || GetKeyState(VK_CONTROL) < 0) return false;
      if (HWND next = NextTabStop(Handle(), GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
        ::SetFocus(next);
        return true;
      }
      return false;
    case VK_RETURN:
      if (auto* focused = dynamic_cast<Button*>(FromHandle(GetFocus()))) return ClickButton(focused);
      return ClickButton(defaultButton_);
    case VK_ESCAPE:
      return ClickButton(cancelButton_);
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (!(wants & DLGC_RADIOBUTTON) || (wants & DLGC_WANTARROWS)) return false;
      return MoveInRadioGroup(message.hwnd, message.wParam == VK_LEFT || message.wParam == VK_UP);
    default:
      return false;
  }
}

}  // namespace corvane::gui
