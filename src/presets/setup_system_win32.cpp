#include "presets/setup_system_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "os/process.h"
#include "os/text.h"
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

struct ElevatedRun {
  HWND owner;
  std::wstring program;
  std::wstring argument;
  DWORD exitCode = ERROR_GEN_FAILURE;
};

FileOutcome OutcomeOf(BOOL done) {
  if (done) return FileOutcome::Ok;
  return GetLastError() == ERROR_ACCESS_DENIED ? FileOutcome::AccessDenied : FileOutcome::Failed;
}

// Off the window thread: the shell does not return while the prompt is up.
DWORD WINAPI RunElevatedThread(void* data) {
  ElevatedRun& run = *static_cast<ElevatedRun*>(data);
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // Started as a program: the verbs of the ".scr" class would start the saver.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_CLASSNAME;
  info.lpClass = L"exefile";
  info.hwnd = run.owner;
  info.lpVerb = L"runas";
  info.lpFile = run.program.c_str();
  info.lpParameters = run.argument.c_str();
  info.nShow = SW_HIDE;
  // A refused prompt fails here with ERROR_CANCELLED.
  if (ShellExecuteExW(&info) && info.hProcess) {
    WaitForSingleObject(info.hProcess, INFINITE);
    if (!GetExitCodeProcess(info.hProcess, &run.exitCode)) run.exitCode = ERROR_GEN_FAILURE;
    CloseHandle(info.hProcess);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

// Dispatches the window thread's messages until `handle` is signalled. A
// quit request is held back and posted again once the wait is over.
void WaitAnswering(HANDLE handle) {
  std::optional<int> quit;
  for (;;) {
    DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) break;
    if (woken != WAIT_OBJECT_0 + 1 && WaitForSingleObject(handle, 50) == WAIT_OBJECT_0) break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = static_cast<int>(message.wParam);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (quit) PostQuitMessage(*quit);
}

}  // namespace

std::string WindowsSetupSystem::ProgramFile() { return ModuleFileName(); }
std::string WindowsSetupSystem::SystemDirectory() { return SystemDirectoryText(); }

FileOutcome WindowsSetupSystem::CopyOver(const std::string& from, const std::string& to) {
  return OutcomeOf(CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE));
}

bool WindowsSetupSystem::RunElevated(const std::string& argument) {
  ElevatedRun run{owner, Widen(ProgramFile()), Widen(argument)};
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, RunElevatedThread, &run, 0, &threadId);
  if (!thread) return false;
  // Disabled, the window takes no second click while it keeps painting.
  bool wasEnabled = owner && !EnableWindow(owner, FALSE);
  WaitAnswering(thread);
  CloseHandle(thread);
  if (wasEnabled) EnableWindow(owner, TRUE);
  return run.exitCode == 0;
}

bool WindowsSetupSystem::SameContent(const std::string& first, const std::string& second) {
  std::ifstream a(Utf8Path(first), std::ios::binary), b(Utf8Path(second), std::ios::binary);
  if (!a || !b) return false;
  return std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>());
}

bool WindowsSetupSystem::FileExists(const std::string& path) { return corvane::FileExists(path); }
FileOutcome WindowsSetupSystem::RemoveFile(const std::string& path) {
  return OutcomeOf(DeleteFileW(Widen(path).c_str()));
}

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

int RunElevatedTask(ElevatedTask task) {
  std::string sysDir = SystemDirectoryText();
  if (sysDir.empty()) return static_cast<int>(GetLastError() ? GetLastError() : ERROR_PATH_NOT_FOUND);
  std::wstring installed = Widen(sysDir + "\\Corvane.scr");
  BOOL done = task == ElevatedTask::Copy ? CopyFileW(Widen(ModuleFileName()).c_str(), installed.c_str(), FALSE)
              : task == ElevatedTask::Remove ? DeleteFileW(installed.c_str())
                                             : FALSE;
  if (done) return 0;
  DWORD error = GetLastError();
  return static_cast<int>(error ? error : ERROR_GEN_FAILURE);
}

}  // namespace corvane
