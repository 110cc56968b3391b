// wininet.h first: shlobj.h declares IActiveDesktop only after it.
#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include "desktop/wallpaper_changer.h"
#include "desktop/wallpaper_style.h"
#include "os/os_error.h"
#include "os/process.h"
#include "os/random.h"
#include "os/text_win32.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

[[noreturn]] void RaiseComError(HRESULT result) { RaiseLastOSErrorAt(static_cast<uint32_t>(result)); }

void WriteDesktopValue(HKEY key, const wchar_t* name, const wchar_t* value) {
  LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  if (result != ERROR_SUCCESS) RaiseLastOSErrorAt(static_cast<uint32_t>(result));
}

// Without a working Active Desktop object (Wine, some current Windows
// installs) the style goes to the desktop's own values and the picture
// through the system's wallpaper setting, which stores and broadcasts it.
void SetWallpaperThroughSystemSettings(uint32_t style, const std::wstring& file) {
  HKEY key;
  LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) RaiseLastOSErrorAt(static_cast<uint32_t>(result));
  try {
    WriteDesktopValue(key, L"WallpaperStyle", style == kStyleCenter || style == kStyleTile ? L"0" : L"2");
    WriteDesktopValue(key, L"TileWallpaper", style == kStyleTile ? L"1" : L"0");
  } catch (...) {
    RegCloseKey(key);
    throw;
  }
  RegCloseKey(key);
  std::wstring path = file;
  if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
    RaiseLastOSErrorAt();
}

// Both need COM initialised on the calling thread.
void SetWallpaperNow(uint32_t style, const std::string& fileName) {
  std::wstring file = Widen(fileName);
  IActiveDesktop* desktop = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                                    reinterpret_cast<void**>(&desktop));
  if (FAILED(result)) {
    SetWallpaperThroughSystemSettings(style, file);
    return;
  }
  WALLPAPEROPT options{sizeof(WALLPAPEROPT), style};
  result = desktop->SetWallpaper(file.c_str(), 0);
  if (SUCCEEDED(result)) result = desktop->SetWallpaperOptions(&options, 0);
  if (SUCCEEDED(result)) result = desktop->ApplyChanges(AD_APPLY_ALL);
  desktop->Release();
  if (result == E_NOTIMPL)
    SetWallpaperThroughSystemSettings(style, file);
  else if (FAILED(result))
    RaiseComError(result);
}

}  // namespace

void ApplyWallpaper(uint32_t style, const std::string& fileName) {
  if (FileExists(fileName)) SetWallpaperNow(style, fileName);
}

void ChangeWallpaperAtRandom() {
  bool on = false;
  if (!ReadWallpapersState(on) || !on) return;
  std::vector<WallpaperListItem> list;
  LoadWallpapersList(list);
  if (list.empty()) return;
  const TWallpaper& chosen = list[RandomInt(static_cast<uint32_t>(list.size()))].wallpaper;
  if (!FileExists(chosen.FileName)) return;
  uint32_t style = chosen.Style;
  std::string file = chosen.FileName;
  list.clear();

  HRESULT init = CoInitialize(nullptr);
  try {
    SetWallpaperNow(style, file);
  } catch (...) {
    if (SUCCEEDED(init)) CoUninitialize();
    throw;
  }
  if (SUCCEEDED(init)) CoUninitialize();
}

}  // namespace corvane
