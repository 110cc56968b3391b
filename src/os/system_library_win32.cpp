#include "os/system_library_win32.h"

#include "os/text_win32.h"

namespace corvane {

HMODULE LoadSystemLibrary(const wchar_t* name) { return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); }

std::vector<unsigned char> FileVersionBlock(const std::string& path) {
  using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
  using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
  static const auto getSize = SystemRoutine<SizeFn>(L"version.dll", "GetFileVersionInfoSizeW");
  static const auto getInfo = SystemRoutine<InfoFn>(L"version.dll", "GetFileVersionInfoW");
  if (!getSize || !getInfo) return {};
  std::wstring wide = Widen(path);
  DWORD ignored = 0;
  DWORD size = getSize(wide.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!getInfo(wide.c_str(), 0, size, block.data())) return {};
  return block;
}

bool QueryVersionValue(const std::vector<unsigned char>& block, const wchar_t* subBlock, void** value,
                       UINT* length) {
  using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
  static const auto query = SystemRoutine<QueryFn>(L"version.dll", "VerQueryValueW");
  return query && !block.empty() && query(block.data(), subBlock, value, length) && *value;
}

}  // namespace corvane
