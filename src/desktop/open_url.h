#pragma once
#include <functional>
#include <optional>
#include <string>

namespace corvane {

// Opens "http://" + address in the user's browser on a thread of its own.
// While one browse is in progress further calls do nothing. The callback
// runs on the calling (main) thread once the browse thread has ended, the
// next time that thread dispatches messages. When that end notice cannot be
// posted (a full message queue), the browse still ends: the mark is cleared
// and the callback is dropped.
void OpenURL(const std::string& address, std::function<void()> onDone = {});
bool BrowseInProgress();

// A seam for tests: what the browse thread does in place of asking the
// shell, and whether its end notice fails as a refused post would.
struct BrowseTestHooks {
  std::function<void(const std::string& url)> open;
  bool failEndNotice = false;
};
void SetBrowseTestHooks(std::optional<BrowseTestHooks> hooks);

}  // namespace corvane
