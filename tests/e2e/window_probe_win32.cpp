// Reads and drives another process's windows through the window system, for
// the end-to-end scripts:
//   window_probe title <prefix> [seconds]    the full caption of the first visible
//                                             top-level window whose caption starts so
//   window_probe hidden <caption> [seconds]  waits until no window so captioned is visible
//   window_probe texts <prefix>              the texts of its child windows, one a line
//   window_probe status <prefix>             "shown"/"hidden", then each status-bar panel
//   window_probe frame <prefix>              menu=0|1 popup=0|1 maximized=0|1 client=WxH
//   window_probe menubar <prefix>            the menu bar's band on the screen: x y width height
//   window_probe maximize|minimize|restore <prefix>
//                                             the system command a caption button sends
//   window_probe iconic <prefix> [seconds]   waits until it is minimised
//   window_probe shown <prefix> <text>       "shown"/"hidden": its descendant of that text
//   window_probe click <prefix> <text>       clicks its button of that text (posted: a
//                                             button whose work takes long does not block)
//   window_probe foreground <prefix> [seconds]  brings it to the front with the keyboard
//   window_probe activate-other [seconds]    shows a small window of its own in the
//                                             top-left corner, active for that long
//   window_probe visible                     the captions of all visible top-level windows
//   window_probe display-change [WxH]        tells every top-level window that the monitors
//                                             changed, as the system does (Wine 8 does not
//                                             when the X server's outputs change under it),
//                                             once the virtual screen is WxH (at most 20 s)
//   window_probe controls <prefix>           every control inside, one a line, tab-separated:
//                                             class, centre x and y on the screen, enabled 0|1,
//                                             checked 0|1, text
//   window_probe rows <prefix>               the rows of its list view as "column0=column1"
//   window_probe child <prefix> <text>       "x y enabled" of the first descendant so
//                                             captioned: its centre on the screen
//   window_probe clipboard                   the clipboard's text (exit 1 without text)
//   window_probe set-clipboard <text>        puts the text on the clipboard
//   window_probe tabs <prefix>               the captions of its first tab control
//   window_probe combos <prefix>             the text of every combo box inside it
//   window_probe dropped <prefix>            exit 0 while one of its combo boxes shows its list
//   window_probe items <prefix> <n>          the list items of its n-th combo box
//   window_probe checked <prefix>            the captions of its checked radio buttons
//   window_probe trackbar <prefix>           the position of its first track bar
//   window_probe where <prefix> <class> <n|=text>  the screen centre of the n-th visible
//                                             control of that class, or of the one so captioned
//   window_probe move <prefix> <x> <y>       moves the window's top-left corner there
// Controls are counted in the window system's order, depth first.
// Exit code 0 on success, 1 when the window did not appear in time.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Search {
  std::wstring prefix;
  bool exact = false;
  HWND found = nullptr;
};

std::wstring TextOf(HWND window) {
  // WM_GETTEXT crosses processes; the system copies the text back.
  LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(size_t(length) + 1, L'\0');
  LRESULT copied = SendMessageW(window, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()));
  text.resize(size_t(copied));
  return text;
}

HWND FindTopLevel(const std::wstring& prefix, bool exact) {
  Search search{prefix, exact};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (!IsWindowVisible(window)) return TRUE;
        std::wstring text = TextOf(window);
        if (s->exact ? text == s->prefix : text.rfind(s->prefix, 0) == 0) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      LPARAM(&search));
  return search.found;
}

HWND WaitFor(const std::wstring& prefix, int seconds) {
  for (int i = 0; i <= seconds * 10; ++i) {
    if (HWND window = FindTopLevel(prefix, false)) return window;
    Sleep(100);
  }
  return nullptr;
}

void PrintLine(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(size_t(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), narrow.data(), size, nullptr, nullptr);
  std::printf("%s\n", narrow.c_str());
}

// Controls of another process answer text requests into memory of that
// process: a buffer there, a header written into its start and the text
// read back from behind the header.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND control, size_t header, size_t chars) : header_(header), chars_(chars) {
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
      remote_ = static_cast<char*>(
          VirtualAllocEx(process_, nullptr, header + chars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBuffer() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  explicit operator bool() const { return remote_ != nullptr; }
  LPARAM Start() const { return LPARAM(remote_); }
  wchar_t* Text() const { return reinterpret_cast<wchar_t*>(remote_ + header_); }
  size_t Chars() const { return chars_; }
  template <typename Header>
  void WriteHeader(const Header& header) const {
    WriteProcessMemory(process_, remote_, &header, sizeof header, nullptr);
  }
  // Up to `length` characters (all when negative), ending at the first zero.
  std::wstring ReadText(ptrdiff_t length = -1) const {
    const size_t count = length < 0 || size_t(length) > chars_ ? chars_ : size_t(length);
    std::wstring text(count, L'\0');
    ReadProcessMemory(process_, Text(), text.data(), count * sizeof(wchar_t), nullptr);
    text.resize(wcsnlen(text.c_str(), count));
    return text;
  }

 private:
  HANDLE process_ = nullptr;
  char* remote_ = nullptr;
  size_t header_, chars_;
};

// A status bar's panel texts.
std::vector<std::wstring> StatusPanels(HWND bar) {
  std::vector<std::wstring> panels;
  RemoteBuffer buffer(bar, 0, 1024);
  for (int i = 0, count = int(SendMessageW(bar, SB_GETPARTS, 0, 0)); buffer && i < count; ++i) {
    LRESULT length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(i), 0));
    if (size_t(length) >= buffer.Chars()) {
      panels.emplace_back();
      continue;
    }
    SendMessageW(bar, SB_GETTEXTW, WPARAM(i), buffer.Start());
    panels.push_back(buffer.ReadText(length));
  }
  return panels;
}

// A list view's cell texts.
std::vector<std::wstring> ListRows(HWND list) {
  std::vector<std::wstring> rows;
  RemoteBuffer buffer(list, sizeof(LVITEMW), 1024);
  for (int row = 0, count = buffer ? int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0; row < count; ++row) {
    std::wstring line;
    for (int column = 0; column < 2; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = buffer.Text();
      item.cchTextMax = int(buffer.Chars());
      buffer.WriteHeader(item);
      LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), buffer.Start());
      std::wstring text = buffer.ReadText(length);
      line += column == 0 ? text + L"=" : text;
    }
    rows.push_back(line);
  }
  return rows;
}

void PrintControl(HWND control) {
  wchar_t className[64] = L"";
  GetClassNameW(control, className, 64);
  RECT bounds{};
  GetWindowRect(control, &bounds);
  const bool button = lstrcmpiW(className, L"Button") == 0;
  const bool checked = button && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  wchar_t head[160];
  swprintf(head, 160, L"%ls\t%ld\t%ld\t%d\t%d\t", className, (bounds.left + bounds.right) / 2,
           (bounds.top + bounds.bottom) / 2, IsWindowEnabled(control) ? 1 : 0, checked ? 1 : 0);
  PrintLine(head + TextOf(control));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Every control inside `window` of this class (all of them when empty).
std::vector<HWND> Descendants(HWND window, const std::wstring& systemClass) {
  struct Found {
    std::wstring systemClass;
    std::vector<HWND> windows;
  } found{systemClass, {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* f = reinterpret_cast<Found*>(data);
        if (f->systemClass.empty() || _wcsicmp(ClassOf(child).c_str(), f->systemClass.c_str()) == 0)
          f->windows.push_back(child);
        return TRUE;
      },
      LPARAM(&found));
  return found.windows;
}

// Tab captions.
std::vector<std::wstring> TabCaptions(HWND tabs) {
  std::vector<std::wstring> captions;
  RemoteBuffer buffer(tabs, sizeof(TCITEMW), 256);
  for (int i = 0, count = int(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)); buffer && i < count; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer.Text();
    item.cchTextMax = int(buffer.Chars());
    buffer.WriteHeader(item);
    captions.push_back(SendMessageW(tabs, TCM_GETITEMW, WPARAM(i), buffer.Start()) ? buffer.ReadText() : L"");
  }
  return captions;
}

int Where(HWND window, const std::wstring& systemClass, const std::wstring& which) {
  std::vector<HWND> visible;
  for (HWND control : Descendants(window, systemClass))
    if (IsWindowVisible(control)) visible.push_back(control);
  HWND found = nullptr;
  if (!which.empty() && which[0] == L'=') {
    for (HWND control : visible)
      if (TextOf(control) == which.substr(1)) found = control;
  } else if (size_t index = size_t(_wtoi(which.c_str())); index < visible.size()) {
    found = visible[index];
  }
  if (!found) return 1;
  RECT bounds{};
  GetWindowRect(found, &bounds);
  std::printf("%ld %ld\n", (bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  return 0;
}

int ActivateOther(int seconds) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"CorvaneProbe";
  windowClass.hbrBackground = HBRUSH(GetStockObject(GRAY_BRUSH));
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"CorvaneProbe", L"Probe", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);
  SetActiveWindow(window);
  const DWORD end = GetTickCount() + DWORD(seconds) * 1000;
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
  DestroyWindow(window);
  return 0;
}

struct ChildSearch {
  std::wstring text;
  HWND found = nullptr;
};

HWND FindDescendant(HWND parent, const std::wstring& text) {
  ChildSearch search{text};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<ChildSearch*>(data);
        if (TextOf(window) != s->text) return TRUE;
        s->found = window;
        return FALSE;
      },
      LPARAM(&search));
  return search.found;
}

int PrintClipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  int status = 1;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      PrintLine(text);
      GlobalUnlock(data);
      status = 0;
    }
  }
  CloseClipboard();
  return status;
}

int SetClipboard(const std::wstring& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!block) return 1;
  memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  return set ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring command = argv[1];
  if (command == L"activate-other") return ActivateOther(argc > 2 ? _wtoi(argv[2]) : 5);
  if (command == L"visible") {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
          if (IsWindowVisible(window)) PrintLine(TextOf(window));
          return TRUE;
        },
        0);
    return 0;
  }
  if (command == L"display-change") {
    // Wine takes the X server's new outputs in a moment of its own: a
    // message sent before then would lay out the old monitors.
    if (argc > 2) {
      const std::wstring expected = argv[2];
      auto virtualScreen = [] {
        return std::to_wstring(GetSystemMetrics(SM_CXVIRTUALSCREEN)) + L"x" +
               std::to_wstring(GetSystemMetrics(SM_CYVIRTUALSCREEN));
      };
      for (int i = 0; virtualScreen() != expected; ++i) {
        if (i == 200) return 1;
        Sleep(100);
      }
    }
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, size, SMTO_ABORTIFHUNG, 5000, nullptr) ? 0 : 1;
  }
  if (command == L"clipboard") return PrintClipboard();
  if (argc < 3) return 2;
  if (command == L"set-clipboard") return SetClipboard(argv[2]);
  const std::wstring name = argv[2];
  // The commands with further arguments wait the usual 20 s.
  const bool moreArguments = command == L"child" || command == L"shown" || command == L"click" ||
                             command == L"items" || command == L"where" || command == L"move";
  const int seconds = argc > 3 && !moreArguments ? _wtoi(argv[3]) : 20;

  if (command == L"hidden") {
    for (int i = 0; i <= seconds * 10; ++i) {
      if (!FindTopLevel(name, true)) return 0;
      Sleep(100);
    }
    return 1;
  }
  HWND window = WaitFor(name, seconds);
  if (!window) return 1;
  if (command == L"title") {
    PrintLine(TextOf(window));
  } else if (command == L"foreground") {
    // What a click on the window does: it comes to the front with the
    // keyboard, even when an owned window had it.
    SetForegroundWindow(window);
    for (int i = 0; GetForegroundWindow() != window; ++i) {
      if (i == seconds * 10) return 1;
      Sleep(100);
    }
  } else if (command == L"texts") {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      PrintLine(TextOf(child));
  } else if (command == L"controls") {
    EnumChildWindows(
        window,
        [](HWND control, LPARAM) -> BOOL {
          PrintControl(control);
          return TRUE;
        },
        0);
  } else if (command == L"rows") {
    HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    if (!list) return 1;
    for (const std::wstring& row : ListRows(list)) PrintLine(row);
  } else if (command == L"status") {
    HWND bar = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    if (!bar) return 1;
    PrintLine(IsWindowVisible(bar) ? L"shown" : L"hidden");
    for (const std::wstring& panel : StatusPanels(bar)) PrintLine(panel);
  } else if (command == L"frame") {
    RECT client{};
    GetClientRect(window, &client);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    std::printf("menu=%d popup=%d maximized=%d client=%ldx%ld\n", GetMenu(window) ? 1 : 0,
                (style & WS_CAPTION) == WS_CAPTION ? 0 : 1, IsZoomed(window) ? 1 : 0, client.right, client.bottom);
  } else if (command == L"menubar") {
    // The menu bar's band on the screen: left, top, width, height.
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT client{};
    GetClientRect(window, &client);
    const int height = GetSystemMetrics(SM_CYMENU);
    std::printf("%ld %ld %ld %d\n", origin.x, origin.y - height, client.right, height);
  } else if (command == L"child") {
    if (argc < 4) return 2;
    HWND child = FindDescendant(window, argv[3]);
    if (!child) return 1;
    RECT place{};
    GetWindowRect(child, &place);
    std::printf("%ld %ld %d\n", (place.left + place.right) / 2, (place.top + place.bottom) / 2,
                IsWindowEnabled(child) ? 1 : 0);
  } else if (command == L"shown" || command == L"click") {
    if (argc < 4) return 2;
    HWND child = FindDescendant(window, argv[3]);
    if (!child) return 1;
    if (command == L"click")
      PostMessageW(child, BM_CLICK, 0, 0);
    else
      PrintLine(IsWindowVisible(child) ? L"shown" : L"hidden");
  } else if (command == L"iconic") {
    for (int i = 0; !IsIconic(window); ++i) {
      if (i >= seconds * 10) return 1;
      Sleep(100);
    }
  } else if (command == L"maximize" || command == L"minimize" || command == L"restore") {
    PostMessageW(window, WM_SYSCOMMAND,
                 command == L"maximize" ? SC_MAXIMIZE : command == L"minimize" ? SC_MINIMIZE : SC_RESTORE, 0);
  } else if (command == L"tabs") {
    std::vector<HWND> tabs = Descendants(window, WC_TABCONTROLW);
    if (tabs.empty()) return 1;
    for (const std::wstring& caption : TabCaptions(tabs[0])) PrintLine(caption);
  } else if (command == L"combos") {
    for (HWND combo : Descendants(window, WC_COMBOBOXW)) PrintLine(TextOf(combo));
  } else if (command == L"dropped") {
    for (HWND combo : Descendants(window, WC_COMBOBOXW))
      if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return 0;
    return 1;
  } else if (command == L"items") {
    std::vector<HWND> combos = Descendants(window, WC_COMBOBOXW);
    size_t index = argc > 3 ? size_t(_wtoi(argv[3])) : 0;
    if (index >= combos.size()) return 1;
    for (int i = 0, count = int(SendMessageW(combos[index], CB_GETCOUNT, 0, 0)); i < count; ++i) {
      std::wstring text(size_t(SendMessageW(combos[index], CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
      SendMessageW(combos[index], CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()));
      text.resize(wcsnlen(text.c_str(), text.size()));
      PrintLine(text);
    }
  } else if (command == L"checked") {
    for (HWND button : Descendants(window, WC_BUTTONW)) {
      const LONG_PTR kind = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
      if ((kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON) &&
          SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
        PrintLine(TextOf(button));
    }
  } else if (command == L"trackbar") {
    std::vector<HWND> bars = Descendants(window, TRACKBAR_CLASSW);
    if (bars.empty()) return 1;
    std::printf("%ld\n", long(SendMessageW(bars[0], TBM_GETPOS, 0, 0)));
  } else if (command == L"where") {
    if (argc < 5) return 2;
    return Where(window, argv[3], argv[4]);
  } else if (command == L"move") {
    if (argc < 5) return 2;
    SetWindowPos(window, nullptr, _wtoi(argv[3]), _wtoi(argv[4]), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (command == L"maximize" || command == L"minimize") {
    PostMessageW(window, WM_SYSCOMMAND, command == L"maximize" ? SC_MAXIMIZE : SC_MINIMIZE, 0);
  } else {
    return 2;
  }
  return 0;
}
