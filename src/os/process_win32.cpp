#include <windows.h>

#include <vector>

#include "os/os_error.h"
#include "os/own_files.h"
#include "os/process.h"
#include "os/system_library_win32.h"
#include "os/text_win32.h"

namespace corvane {

uint32_t CurrentProcessId() { return GetCurrentProcessId(); }
uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

std::string ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

char PathSeparator() { return '\\'; }

std::optional<OSVersionInfo> ReadOSVersion() {
  // GetVersionEx reports what the manifest claims; the kernel tells the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                          : nullptr;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!getVersion || getVersion(&info) != 0) return std::nullopt;
  return OSVersionInfo{std::to_string(info.dwPlatformId),
                       std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
                           std::to_string(info.dwBuildNumber),
                       Narrow(info.szCSDVersion)};
}

std::optional<std::string> FileVersionOf(const std::string& path) {
  std::vector<unsigned char> block = FileVersionBlock(path);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!QueryVersionValue(block, L"\\", reinterpret_cast<void**>(&fixed), &length)) return std::nullopt;
  return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
         "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

namespace {

std::string DateText(const SYSTEMTIME& time, DWORD flags) {
  wchar_t text[128];
  return GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, 128) ? Narrow(text) : "";
}

std::string TimeText(const SYSTEMTIME& time) {
  wchar_t text[128];
  return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 128) ? Narrow(text) : "";
}

}  // namespace

std::optional<std::string> FileModificationText(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FILETIME local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
    return std::nullopt;
  return DateText(time, DATE_SHORTDATE) + " " + TimeText(time);
}

std::string CurrentDateText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return DateText(now, DATE_SHORTDATE);
}

std::string CurrentTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return TimeText(now);
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateAndDeleteNewFile(const std::string& path) {
  // Deleted on close, so that nothing is left behind even if we die here.
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string PerUserFilesFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  std::string folder = Narrow(std::wstring_view(buffer, length));
  if (folder.back() != '\\') folder += '\\';
  return folder + "Corvane\\";
}

uint32_t LastOSErrorCode() { return GetLastError(); }

std::string SystemErrorText(uint32_t code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? Narrow(std::wstring_view(buffer, length)) : std::string();
  LocalFree(buffer);
  return text;
}

}  // namespace corvane
