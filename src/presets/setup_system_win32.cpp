#include "presets/setup_system_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "os/process.h"
#include "os/text_win32.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

std::string SystemDirectoryText() {
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return Narrow(std::wstring_view(buffer, length));
}

}  // namespace

std::string WindowsSetupSystem::ProgramFile() { return ModuleFileName(); }
std::string WindowsSetupSystem::SystemDirectory() { return SystemDirectoryText(); }

CopyOutcome WindowsSetupSystem::CopyOver(const std::string& from, const std::string& to) {
  if (CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE)) return CopyOutcome::Ok;
  return GetLastError() == ERROR_ACCESS_DENIED ? CopyOutcome::AccessDenied : CopyOutcome::Failed;
}

bool WindowsSetupSystem::CopyElevated() {
  std::wstring program = Widen(ProgramFile());
  std::wstring argument = Widen(kElevatedCopyArgument);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = program.c_str();
  info.lpParameters = argument.c_str();
  info.nShow = SW_HIDE;
  // A refused prompt fails here with ERROR_CANCELLED.
  if (!ShellExecuteExW(&info) || !info.hProcess) return false;
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD exitCode = 1;
  bool copied = GetExitCodeProcess(info.hProcess, &exitCode) && exitCode == 0;
  CloseHandle(info.hProcess);
  return copied;
}

bool WindowsSetupSystem::FileExists(const std::string& path) { return corvane::FileExists(path); }
bool WindowsSetupSystem::RemoveFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

std::vector<std::string> WindowsSetupSystem::FindPresetFiles(const std::string& directory) {
  std::vector<std::string> files;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(Widen(directory + "\\*.cvp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.push_back(directory + "\\" + Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

TPresetParams WindowsSetupSystem::ReadPreset(const std::string& path) { return ReadPresetFile(path); }

std::string WindowsSetupSystem::FileVersionText(const std::string& path) {
  return FileVersionOf(path).value_or(std::string());
}

int WindowsSetupSystem::ShellOpen(const std::string& file, const std::string& parameters,
                                  const std::string& directory) {
  HINSTANCE result = ShellExecuteW(GetDesktopWindow(), L"open", Widen(file).c_str(), Widen(parameters).c_str(),
                                   Widen(directory).c_str(), SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

void WindowsSetupSystem::AssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
RegistryBackend& WindowsSetupSystem::UserRegistry() { return SystemRegistry(); }
RegistryBackend* WindowsSetupSystem::MachineRegistry() { return &LocalMachineRegistry(); }

int CopyProgramToSystemDirectory() {
  std::string sysDir = SystemDirectoryText();
  if (sysDir.empty()) return static_cast<int>(GetLastError() ? GetLastError() : ERROR_PATH_NOT_FOUND);
  if (CopyFileW(Widen(ModuleFileName()).c_str(), Widen(sysDir + "\\Corvane.scr").c_str(), FALSE)) return 0;
  DWORD error = GetLastError();
  return static_cast<int>(error ? error : ERROR_GEN_FAILURE);
}

}  // namespace corvane
