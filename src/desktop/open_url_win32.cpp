#include <windows.h>
#include <shellapi.h>

#include <atomic>

#include "desktop/open_url.h"
#include "os/os_error.h"
#include "os/text_win32.h"
#include "os/thread.h"
#include "os/window_class_win32.h"

namespace corvane {
namespace {

constexpr UINT kBrowseDone = WM_APP + 1;

std::atomic<bool> g_inProgress{false};

// A message-only window on the main thread: the browse thread posts its end
// here, so the callback and the clearing of the mark run on the main thread.
LRESULT CALLBACK NotifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND Notifier() {
  static HWND window = [] {
    const wchar_t* name = RegisterWindowClass({.name = L"CorvaneBrowseNotifier", .procedure = NotifierProc});
    HWND created = CreateWindowExW(0, name, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                   nullptr);
    if (!created) RaiseLastOSErrorAt();
    return created;
  }();
  return window;
}

class TStartShellThread : public Thread {
 public:
  TStartShellThread(std::string url, std::function<void()> onDone)
      : url_(std::move(url)), onDone_(std::move(onDone)) {}
  ~TStartShellThread() override { WaitFor(); }
  std::function<void()>& OnDone() { return onDone_; }

 protected:
  void Execute() override {
    // The shell's answer is not checked: a missing browser is the user's to see.
    ShellExecuteW(GetDesktopWindow(), L"open", Widen(url_).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
  }

 private:
  std::string url_;
  std::function<void()> onDone_;
};

LRESULT CALLBACK NotifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kBrowseDone) return DefWindowProcW(window, message, wParam, lParam);
  std::unique_ptr<TStartShellThread> thread(reinterpret_cast<TStartShellThread*>(lParam));
  std::function<void()> onDone = std::move(thread->OnDone());
  thread.reset();  // joins: the body has already ended
  g_inProgress = false;
  if (onDone) onDone();
  return 0;
}

}  // namespace

void OpenURL(const std::string& address, std::function<void()> onDone) {
  bool expected = false;
  if (!g_inProgress.compare_exchange_strong(expected, true)) return;
  HWND notifier = nullptr;
  TStartShellThread* thread = nullptr;
  try {
    notifier = Notifier();
    thread = new TStartShellThread("http://" + address, std::move(onDone));
  } catch (...) {
    g_inProgress = false;
    throw;
  }
  thread->SetPriority(ThreadPriority::TimeCritical);
  thread->SetOnTerminate([notifier, thread] { PostMessageW(notifier, kBrowseDone, 0, reinterpret_cast<LPARAM>(thread)); });
  thread->Resume();
}

bool BrowseInProgress() { return g_inProgress; }

}  // namespace corvane
