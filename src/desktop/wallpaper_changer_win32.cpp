// wininet.h first: shlobj.h declares IActiveDesktop only after it.
#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include "desktop/wallpaper_changer.h"
#include "desktop/wallpaper_style.h"
#include "os/com_win32.h"
#include "os/os_error.h"
#include "os/process.h"
#include "os/random.h"
#include "os/text_win32.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

[[noreturn]] void RaiseComError(HRESULT result) { RaiseLastOSErrorAt(static_cast<uint32_t>(result)); }

void WriteDesktopValue(RegistryKey& key, const char* name, const char* value) {
  if (!key.WriteValue(name, RegistryType::String, value)) RaiseLastOSErrorAt();
}

// Without a working Active Desktop object (Wine, some current Windows
// installs) the style goes to the desktop's own values and the picture
// through the system's wallpaper setting, which stores and broadcasts it.
void SetWallpaperThroughSystemSettings(uint32_t style, const std::wstring& file) {
  {
    std::unique_ptr<RegistryKey> key = SystemRegistry().OpenKey("Control Panel\\Desktop", true);
    if (!key) RaiseLastOSErrorAt();
    WriteDesktopValue(*key, "WallpaperStyle", style == kStyleCenter || style == kStyleTile ? "0" : "2");
    WriteDesktopValue(*key, "TileWallpaper", style == kStyleTile ? "1" : "0");
  }
  std::wstring path = file;
  if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
    RaiseLastOSErrorAt();
}

// Both need COM initialised on the calling thread.
void SetWallpaperNow(uint32_t style, const std::string& fileName) {
  std::wstring file = Widen(fileName);
  HRESULT result;
  {
    ComPtr<IActiveDesktop> desktop;
    result = CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                              desktop.PutVoid());
    if (FAILED(result)) {
      SetWallpaperThroughSystemSettings(style, file);
      return;
    }
    WALLPAPEROPT options{sizeof(WALLPAPEROPT), style};
    result = desktop->SetWallpaper(file.c_str(), 0);
    if (SUCCEEDED(result)) result = desktop->SetWallpaperOptions(&options, 0);
    if (SUCCEEDED(result)) result = desktop->ApplyChanges(AD_APPLY_ALL);
  }
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

  ComInitialization com;
  SetWallpaperNow(style, file);
}

}  // namespace corvane
