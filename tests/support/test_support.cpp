#include "support/test_support.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "os/clock.h"
#include "os/process.h"
#include "os/text.h"
#include "workers/error_log.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace corvane::test {
namespace {

std::mutex g_boxesLock;
std::vector<MessageBoxRequest> g_boxes;

// Installed before main: no test ever blocks on a real modal box.
const ScopedMessageBoxHook g_noRealBoxes([](const MessageBoxRequest& request) {
  std::lock_guard<std::mutex> lock(g_boxesLock);
  g_boxes.push_back(request);
});

}  // namespace

std::vector<MessageBoxRequest> MessageBoxes() {
  std::lock_guard<std::mutex> lock(g_boxesLock);
  return g_boxes;
}

void ClearMessageBoxes() {
  std::lock_guard<std::mutex> lock(g_boxesLock);
  g_boxes.clear();
}

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device entropy;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("corvane-test-" + std::to_string(CurrentProcessId()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(entropy() % 100000));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const {
  return (std::filesystem::path(path_) / name).string();
}

ScopedErrorLog::ScopedErrorLog() : path_(dir_.File(kLogFileName)) {
  RedirectProcessErrorLog(path_);
  ClearMessageBoxes();
}

ScopedErrorLog::~ScopedErrorLog() { RedirectProcessErrorLog(ModuleDirectory() + kLogFileName); }

std::string ScopedErrorLog::Contents() const { return ReadWholeFile(path_); }

bool WaitUntil(const std::function<bool()>& condition, uint32_t limitMs) {
  const double end = MilliClock() + limitMs;
  while (!condition()) {
    if (MilliClock() > end) return false;
    SleepMs(5);
  }
  return true;
}

HangWatch::HangWatch(std::string what, uint32_t limitMs) {
  std::thread([done = done_, what = std::move(what), limitMs] {
    if (done->Wait(limitMs) == WaitResult::Signalled) return;
    std::fprintf(stderr, "FAILED: %s did not end within %u ms\n", what.c_str(), unsigned(limitMs));
    std::fflush(stderr);
    std::_Exit(3);
  }).detach();
}

HangWatch::~HangWatch() { done_->Set(); }

#if !defined(_WIN32)
ScopedFileSizeLimit::ScopedFileSizeLimit(uint64_t bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  saved_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
  savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the program
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = saved_;
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, savedSignal_);
}
#endif

std::vector<std::string> FileNamesIn(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(directory)))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(Utf8Path(path), std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

void WriteWholeFile(const std::string& path, const std::string& contents) {
  std::ofstream file(Utf8Path(path), std::ios::binary);
  file << contents;
}

std::optional<std::string> DialogAnswers::Next() {
  ++asked;
  if (queue.empty()) {
    ADD_FAILURE() << "an unexpected dialog";
    return std::nullopt;
  }
  std::optional<std::string> answer = queue.front();
  queue.pop_front();
  return answer;
}

}  // namespace corvane::test
