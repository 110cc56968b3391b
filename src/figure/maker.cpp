#include "figure/maker.h"

#include <algorithm>

#include "os/os_error.h"
#include "workers/error_log.h"

namespace corvane {
namespace {
constexpr uint32_t kStartWaitMs = 1000;
}

TMaker::TMaker(std::function<void()> onEnd) {
  SetOnTerminate(std::move(onEnd));
  Resume();
}

TMaker::~TMaker() {
  Stop();
  WaitFor();
}

void TMaker::AssignJob(const MakeJob& job) {
  job_ = job;
  start_.Set();
}

void TMaker::Stop() {
  Terminate();
  start_.Set();
}

void TMaker::Execute() {
  try {
    while (!Terminated()) {
      switch (start_.Wait(kStartWaitMs)) {
        case WaitResult::Timeout:
          continue;
        case WaitResult::Abandoned:
          Terminate();
          break;
        case WaitResult::Failed:
          RaiseLastOSErrorAt(start_.LastError());
        case WaitResult::Signalled:
          break;
      }
      if (Terminated()) break;
      vertexCount_ = BuildVertices(job_);
      SortByKeys(job_.keys, std::min(vertexCount_, job_.capacity), job_.order, job_.scratch);
      done_.Set();
    }
  } catch (...) {
    // The calculation thread wakes up and finds this maker terminated.
    Terminate();
    done_.Set();
    LogErrors(ExceptionRecord("TMaker", DescribeCurrentException()));
  }
}

}  // namespace corvane
