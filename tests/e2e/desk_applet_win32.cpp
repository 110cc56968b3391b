// desk.cpl for a Wine prefix, which has no display control panel: its
// InstallScreenSaver entry, as rundll32 calls it, selects the given screen
// saver (an empty argument deselects it) where the system keeps the choice,
// so that "Install" and "Remove" can be followed through the registry.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) void CALLBACK InstallScreenSaverW(HWND, HINSTANCE, LPWSTR commandLine, int) {
  std::wstring path = commandLine ? commandLine : L"";
  const size_t first = path.find_first_not_of(L" \"");
  const size_t last = path.find_last_not_of(L" \"");
  path = first == std::wstring::npos ? L"" : path.substr(first, last - first + 1);
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  if (path.empty())
    RegDeleteValueW(key, L"SCRNSAVE.EXE");
  else
    RegSetValueExW(key, L"SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   DWORD((path.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}
