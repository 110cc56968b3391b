#pragma once
#include <functional>
#include <string>

namespace corvane {

// Opens "http://" + address in the user's browser on a thread of its own.
// While one browse is in progress further calls do nothing. The callback
// runs on the calling (main) thread once the browse thread has ended, the
// next time that thread dispatches messages.
void OpenURL(const std::string& address, std::function<void()> onDone = {});
bool BrowseInProgress();

}  // namespace corvane
