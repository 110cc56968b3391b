#include "support/form_checks.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "os/text_win32.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane::test {
namespace {

std::vector<HWND> Descendants(HWND form) {
  std::vector<HWND> windows;
  EnumChildWindows(
      form,
      [](HWND child, LPARAM data) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return Narrow(name);
}

std::string Describe(HWND window) { return ClassOf(window) + " \"" + WindowText(window) + "\""; }

// Usable: shown, and neither it nor a window around it disabled.
bool Usable(HWND window, HWND form) {
  if (!IsWindowVisible(window)) return false;
  for (HWND w = window; w && w != form; w = GetParent(w))
    if (!IsWindowEnabled(w)) return false;
  return true;
}

std::vector<HWND> TabStops(HWND form) {
  std::vector<HWND> stops;
  for (HWND window : Descendants(form))
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) && Usable(window, form)) stops.push_back(window);
  return stops;
}

// The tab stop that holds the focus (an editable combo box focuses its edit).
HWND StopHolding(HWND focus, const std::vector<HWND>& stops) {
  for (HWND w = focus; w; w = GetParent(w))
    if (std::find(stops.begin(), stops.end(), w) != stops.end()) return w;
  return focus;
}

void PressTab(gui::Application& application) {
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, VK_TAB, 1);
  PostMessageW(focus, WM_KEYUP, VK_TAB, 0xC0000001);
  application.ProcessMessages();
}

// ---- Texts ----

// How far a text may reach: the control's width less what it draws beside
// the text (frames, a check mark, the drop-down button), at its dpi.
struct Room {
  int width = 0;
  int height = 0;  // 0: one line, only the width counts
};

// The text's extent in the font, wrapped at the room's width when the room
// has more than one line.
RECT Needed(HWND window, HFONT font, const std::wstring& text, Room room) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  RECT needed{0, 0, room.width, 0};
  UINT format = DT_CALCRECT | DT_NOPREFIX | (room.height > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextW(dc, text.c_str(), int(text.size()), &needed, format);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return needed;
}

struct FixedText {
  std::wstring text;
  Room room;
};

std::vector<FixedText> ButtonTexts(HWND button, const RECT& client, int dpi) {
  const std::wstring text = Widen(WindowText(button));
  switch (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_GROUPBOX:
      return {{text, {client.right - gui::ScaleToDpi(16, dpi)}}};
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return {{text, {client.right - gui::ScaleToDpi(18, dpi)}}};
    default:
      return {{text, {client.right - gui::ScaleToDpi(6, dpi)}}};
  }
}

std::vector<FixedText> StatusTexts(HWND bar, int dpi) {
  std::vector<FixedText> texts;
  int parts = int(SendMessageW(bar, SB_GETPARTS, 0, 0));
  for (int part = 0; part < parts; ++part) {
    RECT rect{};
    SendMessageW(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect));
    std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0)) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    texts.push_back({text, {rect.right - rect.left - gui::ScaleToDpi(6, dpi)}});
  }
  return texts;
}

// The items of a drop-down list are the program's own; an editable box
// holds what the user typed.
std::vector<FixedText> ListTexts(HWND combo, const RECT& client) {
  std::vector<FixedText> texts;
  if ((GetWindowLongPtrW(combo, GWL_STYLE) & 3) != CBS_DROPDOWNLIST) return texts;
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  for (int i = 0, count = int(SendMessageW(combo, CB_GETCOUNT, 0, 0)); i < count; ++i) {
    std::wstring text(size_t(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    texts.push_back({text, {parts.rcItem.right - parts.rcItem.left}});
  }
  return texts;
}

std::vector<FixedText> TextsOf(HWND window, int dpi) {
  RECT client{};
  GetClientRect(window, &client);
  const std::string kind = ClassOf(window);
  if (kind == "Static") return {{Widen(WindowText(window)), {client.right, client.bottom}}};
  if (kind == "Button") return ButtonTexts(window, client, dpi);
  if (kind == STATUSCLASSNAMEA) return StatusTexts(window, dpi);
  if (kind == "ComboBox") return ListTexts(window, client);
  return {};
}

// As the system moves a window to a monitor of another dpi: it suggests the
// outer size scaled, and the form keeps its client size at 96 dpi.
void MoveToDpi(gui::Form& form, int dpi) {
  const int from = form.FormDpi();
  const gui::Size client = form.ClientSize();
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  RECT suggested{window.left, window.top, window.left + MulDiv(window.right - window.left, dpi, from),
                 window.top + MulDiv(window.bottom - window.top, dpi, from)};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  form.SetClientSize({MulDiv(client.width, gui::kDesignDpi, from), MulDiv(client.height, gui::kDesignDpi, from)});
}

}  // namespace

void ExpectTabReachesEveryControlOnce(gui::Application& application, gui::Form& form) {
  const std::vector<HWND> stops = TabStops(form.Handle());
  ASSERT_FALSE(stops.empty()) << form.ClassName() << " has no control to reach";
  HangWatch watch(std::string(form.ClassName()) + ": walking the Tab order");
  SetFocus(stops.front());
  application.ProcessMessages();
  std::vector<HWND> reached;
  for (size_t i = 0; i < stops.size(); ++i) {
    PressTab(application);
    reached.push_back(StopHolding(GetFocus(), stops));
  }
  std::string missed, twice;
  for (HWND stop : stops) {
    auto times = std::count(reached.begin(), reached.end(), stop);
    if (times == 0) missed += "\n  " + Describe(stop);
    if (times > 1) twice += "\n  " + Describe(stop);
  }
  EXPECT_TRUE(missed.empty() && twice.empty())
      << form.ClassName() << ": after " << stops.size() << " Tabs, never reached:" << missed
      << "\nreached more than once:" << twice;
}

void ExpectEveryTextFits(gui::Form& form) {
  for (HWND window : Descendants(form.Handle())) {
    if (!IsWindowVisible(window)) continue;
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    for (const FixedText& fixed : TextsOf(window, form.FormDpi())) {
      if (fixed.text.empty()) continue;
      RECT needed = Needed(window, font, fixed.text, fixed.room);
      EXPECT_TRUE(needed.right <= fixed.room.width && (fixed.room.height == 0 || needed.bottom <= fixed.room.height))
          << form.ClassName() << " at " << form.FormDpi() << " dpi: \"" << Narrow(fixed.text) << "\" needs "
          << needed.right << " x " << needed.bottom << " pixels, " << Describe(window) << " gives "
          << fixed.room.width << " x " << fixed.room.height;
    }
  }
}

void ExpectEveryTextFitsAt96And144Dpi(gui::Form& form) {
  ASSERT_EQ(form.FormDpi(), gui::kDesignDpi) << "the test display runs at 96 dpi";
  ExpectEveryTextFits(form);
  HangWatch watch(std::string(form.ClassName()) + ": moving to 144 dpi");
  MoveToDpi(form, 144);
  ASSERT_EQ(form.FormDpi(), 144);
  ExpectEveryTextFits(form);
}

}  // namespace corvane::test
