#include "gui/containers_win32.h"

#include <commctrl.h>

#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {

DWORD PanelExStyle(PanelBorder border) {
  switch (border) {
    case PanelBorder::Lowered: return WS_EX_STATICEDGE;
    case PanelBorder::Raised: return WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

// Containers paint their own background in one system colour.
bool FillBackground(HWND window, HDC dc, int systemColour) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(systemColour));
  return true;
}

}  // namespace

// ---- Panel ----

Panel::Panel(const CreateArgs& args) : Control(BaseOf(args)), systemColour_(args.systemColour) {
  // Tab reaches the controls inside, as it does those of a group box.
  CreateOwnControl(WS_CLIPCHILDREN | (args.border == PanelBorder::Single ? WS_BORDER : 0),
                   WS_EX_CONTROLPARENT | PanelExStyle(args.border), "");
}

Panel::~Panel() = default;

bool Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    result = FillBackground(Handle(), reinterpret_cast<HDC>(wParam), systemColour_);
    return true;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

// ---- GroupBox ----

GroupBox::GroupBox(const CreateArgs& args) : Control(BaseOf(args)) {
  CreateControl(WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, args.caption);
}

bool GroupBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // A group box answers hit tests as transparent, which would let clicks on
  // its children's gaps fall through to the form; children get them anyway.
  if (message == WM_NCHITTEST) {
    result = HTCLIENT;
    return true;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

// ---- ToolBar ----

ToolBar::ToolBar(const CreateArgs& args)
    : Control(BaseOf(args)), buttonSize_(args.buttonSize), buttonFont_(args.buttonFont) {
  base_.align = Align::Top;
  CreateOwnControl(WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, "");
}

Button& ToolBar::AddButton(const std::string& text, std::string hint) {
  // Two pixels of margin, as the system's own tool bars keep.
  int left = 2 + int(buttons_.size()) * buttonSize_.width;
  int top = std::max(0, (base_.bounds.height - buttonSize_.height) / 2);
  buttons_.push_back(std::make_unique<Button>(Button::CreateArgs{.parent = this,
                                                                 .bounds = {left, top, buttonSize_.width,
                                                                            buttonSize_.height},
                                                                 .hint = std::move(hint),
                                                                 .font = buttonFont_,
                                                                 .text = text}));
  return *buttons_.back();
}

bool ToolBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(Handle(), &client);
    HDC dc = reinterpret_cast<HDC>(wParam);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_BOTTOM);
    result = 1;
    return true;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

// ---- TabControl ----

TabPage::TabPage(TabControl& tabs, std::string caption, int index)
    : Control(ControlBase{.parent = &tabs, .visible = false}), caption_(std::move(caption)), index_(index) {
  CreateOwnControl(WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, "");
}

bool TabPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    result = FillBackground(Handle(), reinterpret_cast<HDC>(wParam), COLOR_BTNFACE);
    return true;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

TabControl::TabControl(const CreateArgs& args) : Control(BaseOf(args)) {
  CreateControl(WC_TABCONTROLW, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT, "");
  for (const std::string& caption : args.pages) AddPage(caption);
}

TabControl::~TabControl() { pages_.clear(); }

TabPage& TabControl::AddPage(const std::string& caption) {
  std::wstring text = Widen(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  int index = int(pages_.size());
  if (SendMessageW(Handle(), TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)) != index)
    throw EGuiError("The tab \"" + caption + "\" could not be added.");
  pages_.push_back(std::unique_ptr<TabPage>(new TabPage(*this, caption, index)));
  LayoutChildren();
  ShowActive();
  return *pages_.back();
}

int TabControl::ActivePage() const { return int(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TabControl::SetActivePage(int index) {
  SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
  ShowActive();
}

void TabControl::ShowActive() {
  int active = ActivePage();
  for (auto& page : pages_) ShowWindow(page->Handle(), page->Index() == active ? SW_SHOW : SW_HIDE);
}

void TabControl::LayoutChildren() {
  RECT display;
  GetClientRect(Handle(), &display);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (auto& page : pages_)
    SetWindowPos(page->Handle(), nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TabControl::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE) return false;
  ShowActive();
  if (onChange) onChange();
  return true;
}

}  // namespace corvane::gui
