#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <memory>

#include "desktop/open_url.h"
#include "os/os_error.h"
#include "os/text_win32.h"
#include "os/thread.h"
#include "os/window_class_win32.h"
#include "workers/error_log.h"

namespace corvane {
namespace {

constexpr UINT kBrowseDone = WM_APP + 1;
constexpr char kThreadName[] = "TStartShellThread";  // the log's name for a browse's failures

std::optional<BrowseTestHooks> g_hooks;  // set only by tests, between browses

class TStartShellThread : public Thread {
 public:
  TStartShellThread(std::string url, std::function<void()> onDone)
      : url_(std::move(url)), onDone_(std::move(onDone)) {}
  ~TStartShellThread() override { WaitFor(); }
  std::function<void()>& OnDone() { return onDone_; }

 protected:
  // Nothing raised here may leave the thread's procedure: it is logged, and
  // the browse still ends.
  void Execute() override {
    try {
      if (g_hooks && g_hooks->open) return g_hooks->open(url_);
      // The shell's answer is not checked: a missing browser is the user's to see.
      ShellExecuteW(GetDesktopWindow(), L"open", Widen(url_).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    } catch (...) {
      LogErrors(ExceptionRecord(kThreadName, DescribeCurrentException()));
    }
  }

 private:
  std::string url_;
  std::function<void()> onDone_;
};

// The browse in progress, owned on the main thread. Only the in-progress
// mark is shared with the browse thread.
struct BrowseState {
  std::atomic<bool> inProgress{false};
  std::unique_ptr<TStartShellThread> thread;
};

// Never destroyed: a browse still running when the process ends is the
// system's to end, not a join at exit.
BrowseState& State() {
  static BrowseState& state = *new BrowseState;
  return state;
}

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

void EndBrowse() {
  BrowseState& state = State();
  std::unique_ptr<TStartShellThread> thread = std::move(state.thread);
  if (!thread) return;
  std::function<void()> onDone = std::move(thread->OnDone());
  thread.reset();  // joins: the body has already ended
  state.inProgress = false;
  if (onDone) onDone();
}

LRESULT CALLBACK NotifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kBrowseDone) return DefWindowProcW(window, message, wParam, lParam);
  // A callback that raises is logged here: nothing may unwind through the
  // system's dispatch of this message.
  try {
    EndBrowse();
  } catch (...) {
    LogErrors(ExceptionRecord(kThreadName, DescribeCurrentException()));
  }
  return 0;
}

}  // namespace

void BrowseClient::OpenURL(const std::string& address, std::function<void()> onDone) {
  if (onDone) {
    onDone = [alive = std::weak_ptr<char>(alive_), onDone = std::move(onDone)] {
      if (!alive.expired()) onDone();
    };
  }
  BrowseState& state = State();
  bool expected = false;
  if (!state.inProgress.compare_exchange_strong(expected, true)) return;
  try {
    HWND notifier = Notifier();
    // A browse whose end notice could not be posted is still held; it has
    // ended, so this join is short.
    state.thread.reset();
    state.thread = std::make_unique<TStartShellThread>("http://" + address, std::move(onDone));
    state.thread->SetPriority(ThreadPriority::TimeCritical);
    const bool failNotice = g_hooks && g_hooks->failEndNotice;
    state.thread->SetOnTerminate([notifier, failNotice, &state] {
      if (failNotice || !PostMessageW(notifier, kBrowseDone, 0, 0)) state.inProgress = false;
    });
    state.thread->Resume();
  } catch (...) {
    state.thread.reset();
    state.inProgress = false;
    throw;
  }
}

bool BrowseInProgress() { return State().inProgress; }

void SetBrowseTestHooks(std::optional<BrowseTestHooks> hooks) { g_hooks = std::move(hooks); }

}  // namespace corvane
