#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

// A window's browses. OpenURL opens "http://" + address in the user's
// browser on a thread of its own. While one browse is in progress further
// calls do nothing. The callback runs on the calling (main) thread once the
// browse thread has ended, the next time that thread dispatches messages,
// and only while this object lives: a browse that ends after its window
// went calls nothing. When the end notice cannot be posted (a full message
// queue), the browse still ends: the mark is cleared and the callback is
// dropped.
class BrowseClient {
 public:
  void OpenURL(const std::string& address, std::function<void()> onDone = {});

 private:
  std::shared_ptr<char> alive_ = std::make_shared<char>();
};
bool BrowseInProgress();

// A seam for tests: what the browse thread does in place of asking the
// shell, and whether its end notice fails as a refused post would.
struct BrowseTestHooks {
  std::function<void(const std::string& url)> open;
  bool failEndNotice = false;
};
void SetBrowseTestHooks(std::optional<BrowseTestHooks> hooks);

}  // namespace corvane
