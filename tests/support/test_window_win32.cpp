#include "support/test_window.h"

#include <commctrl.h>

#include <stdexcept>

#include "os/text_win32.h"
#include "os/window_class_win32.h"

namespace corvane::test {
namespace {

constexpr wchar_t kClassName[] = L"CorvaneTestWindow";

void RegisterOnce() {
  // Each window keeps its device context, as OpenGL wants.
  RegisterWindowClass({.name = kClassName, .style = CS_OWNDC});
}

}  // namespace

TestWindow::TestWindow(int width, int height) {
  RegisterOnce();
  handle_ = CreateWindowExW(0, kClassName, L"Corvane test", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!handle_) throw std::runtime_error("test window not created");
  PumpMessages();
}

TestWindow::~TestWindow() {
  DestroyWindow(handle_);
  PumpMessages();
}

void TestWindow::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::string WindowText(HWND window) {
  std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return Narrow(text);
}

std::string ListViewText(HWND list, int row, int column) {
  wchar_t text[260] = L"";
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return Narrow(text);
}

HWND ComboEditField(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info.hwndItem;
}

void PasteIntoCombo(HWND combo, const std::string& text) {
  HWND edit = ComboEditField(combo);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  std::wstring wide = Widen(text);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace corvane::test
