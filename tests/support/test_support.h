#pragma once
// Shared helpers of the test programs.

#include <string>
#include <vector>

#include "os/message_box.h"

namespace corvane::test {

// Every message box requested since the last ClearMessageBoxes (the test
// programs never open a real one).
std::vector<MessageBoxRequest> MessageBoxes();
void ClearMessageBoxes();

// A fresh, empty directory under the system's temporary folder, removed
// with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Points the process error log at a file of its own with fresh once-flags,
// and forgets earlier boxes; restores the log beside the test program after.
class ScopedErrorLog {
 public:
  ScopedErrorLog();
  ~ScopedErrorLog();
  const std::string& Path() const { return path_; }
  std::string Contents() const;

 private:
  TempDir dir_;
  std::string path_;
};

// The message of the E that `action` raises; "" when it raises nothing.
// Anything else it raises goes on to the test.
template <class E, class F>
std::string Raised(F&& action) {
  try {
    action();
  } catch (const E& e) {
    return e.what();
  }
  return "";
}

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& contents);

}  // namespace corvane::test
