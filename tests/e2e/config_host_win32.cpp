// Plays the part of the system's screen-saver settings page for the
// configuration dialog, and reads the dialog through the window system.
//   config_host owner <Corvane.scr>  starts "/c:<own window>", checks that its
//                                    window is disabled while the dialog runs
//                                    and enabled after "Cancel"
//   config_host show                 prints the dialog's controls and list
//   config_host centre <text>        prints the screen centre of a control
//   config_host select <item>        picks a preset or a monitors choice as a user would
// Exit code 0 when every check held; each failure is printed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host_checks_win32.h"
#include "os/window_class_win32.h"

namespace {

constexpr wchar_t kCaption[] = L"Corvane Screen Saver";
using host::Check;
using host::PumpFor;

HWND WaitForDialog(DWORD seconds) {
  for (DWORD waited = 0; waited < seconds * 1000; waited += 100) {
    HWND dialog = FindWindowW(nullptr, kCaption);
    if (dialog && IsWindowVisible(dialog)) return dialog;
    PumpFor(100);
  }
  return nullptr;
}

std::string Utf8(const wchar_t* text) {
  char buffer[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

std::wstring Wide(const char* text) {
  wchar_t buffer[512] = {};
  MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, 512);
  return buffer;
}

// The dialog's drop-down lists, in the window system's order: the presets
// first, then the monitors choice.
std::vector<HWND> DropDownLists(HWND dialog) {
  std::vector<HWND> found;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, L"ComboBox") == 0 && (GetWindowLongW(child, GWL_STYLE) & 3) == CBS_DROPDOWNLIST)
          reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND PresetList(HWND dialog) {
  std::vector<HWND> lists = DropDownLists(dialog);
  return lists.empty() ? nullptr : lists.front();
}

std::wstring ListItem(HWND list, int index) {
  wchar_t text[256] = {};
  if (index >= 0) SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

int Owner(const wchar_t* saver) {
  HWND host = CreateWindowExW(0, corvane::RegisterWindowClass({.name = L"ConfigHost"}), L"Settings host",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  Check(host != nullptr, "host window created");
  std::wstring command = L"\"" + std::wstring(saver) + L"\" /c:" + std::to_wstring(reinterpret_cast<uintptr_t>(host));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  Check(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process),
        "configuration process started");
  HWND dialog = WaitForDialog(30);
  Check(dialog != nullptr, "the dialog appeared");
  if (dialog) {
    Check(!IsWindowEnabled(host), "the host window is disabled while the dialog runs");
    Check(GetWindow(dialog, GW_OWNER) == host, "the dialog is owned by the host window");
    Check((GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0, "the dialog asks for no taskbar button");
    HWND cancel = FindWindowExW(dialog, nullptr, L"Button", L"Cancel");
    Check(cancel != nullptr, "the dialog has Cancel");
    PostMessageW(cancel, BM_CLICK, 0, 0);
  }
  DWORD waited = WAIT_TIMEOUT;
  for (int i = 0; i < 300 && waited == WAIT_TIMEOUT; ++i) {  // the host keeps serving its messages
    PumpFor(50);
    waited = WaitForSingleObject(process.hProcess, 0);
  }
  Check(waited == WAIT_OBJECT_0, "the configuration process ends after Cancel");
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  Check(IsWindowEnabled(host), "the host window is enabled again");
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DestroyWindow(host);
  std::printf("%d failure(s)\n", host::failures);
  return host::failures == 0 ? 0 : 1;
}

int Show() {
  HWND dialog = WaitForDialog(30);
  if (!dialog) return 1;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {}, text[256] = {};
    GetClassNameW(child, name, 64);
    GetWindowTextW(child, text, 256);
    std::printf("control: %s|%s\n", Utf8(name).c_str(), Utf8(text).c_str());
  }
  HWND list = PresetList(dialog);
  if (!list) return 1;
  for (int i = 0, count = int(SendMessageW(list, CB_GETCOUNT, 0, 0)); i < count; ++i)
    std::printf("item: %s\n", Utf8(ListItem(list, i).c_str()).c_str());
  std::printf("selected: %s\n", Utf8(ListItem(list, int(SendMessageW(list, CB_GETCURSEL, 0, 0))).c_str()).c_str());
  return 0;
}

int Centre(const char* text) {
  HWND dialog = WaitForDialog(30);
  HWND control = dialog ? FindWindowExW(dialog, nullptr, nullptr, Wide(text).c_str()) : nullptr;
  if (!control) return 1;
  RECT rect;
  GetWindowRect(control, &rect);
  std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return 0;
}

// Picks the item so named in the first drop-down list that holds it.
int Select(const char* item) {
  HWND dialog = WaitForDialog(30);
  if (!dialog) return 1;
  for (HWND list : DropDownLists(dialog)) {
    int index = int(SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(Wide(item).c_str())));
    if (index < 0) continue;
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return 0;
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  char argument[512] = {};
  if (argc > 2) WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, argument, sizeof argument, nullptr, nullptr);
  if (mode == L"owner" && argc > 2) return Owner(argv[2]);
  if (mode == L"show") return Show();
  if (mode == L"centre" && argc > 2) return Centre(argument);
  if (mode == L"select" && argc > 2) return Select(argument);
  std::printf("usage: config_host owner <Corvane.scr> | show | centre <text> | select <item>\n");
  return 2;
}
