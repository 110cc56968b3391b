#include "workers/worker.h"

#include "os/os_error.h"
#include "workers/error_log.h"

namespace corvane {

namespace {
constexpr uint32_t kReplyWaitStepMs = 1000;
}

TWorker::TWorker(uint32_t paramsSize, uint32_t retDataSize) : queue_(paramsSize), retData_(retDataSize) {}

TWorker::~TWorker() { EndThread(); }

void* TWorker::operator new(size_t size) { return TAlignThread::operator new(size); }
void TWorker::operator delete(void* block) noexcept { TAlignThread::operator delete(block); }

void TWorker::operator delete(TWorker* worker, std::destroying_delete_t) {
  worker->EndThread();
  void* block = dynamic_cast<void*>(worker);
  worker->~TWorker();
  TWorker::operator delete(block);
}

void TWorker::EndThread() {
  Terminate();
  queue_.WakeUp();
  WaitFor();
}

void TWorker::StopWorker() {
  Terminate();
  queue_.WakeUp();
}

bool TWorker::WaitForReply(Event& replyEvent) {
  for (;;) {
    switch (replyEvent.Wait(kReplyWaitStepMs)) {
      case WaitResult::Signalled:
        return true;
      case WaitResult::Abandoned:
        return false;
      case WaitResult::Failed:
        RaiseLastOSErrorAt(replyEvent.LastError());
      case WaitResult::Timeout:
        if (finished_.load() || bodyEnded_.load()) return false;
        break;
    }
  }
}

void TWorker::Execute() {
  try {
    StartWork();
    try {
      CommandLoop();
    } catch (...) {
      EndLoop();
      throw;
    }
    EndLoop();
  } catch (...) {
    LogErrors(ExceptionRecord(ClassName(), DescribeCurrentException()));
  }
  bodyEnded_.store(true);
}

void TWorker::CommandLoop() {
  for (;;) {
    queue_.WaitForCommand(waitTimeout_.load());
    // At least one pass per wake-up, even when it brought no command.
    do {
      ExecuteCommand();
    } while (!queue_.IsEmpty());
    // A result waiting to be collected keeps the thread alive.
    if (retData_.IsEmpty() && Terminated()) return;
  }
}

void TWorker::EndLoop() {
  finished_.store(true);
  Terminate();
  FinishWork();
}

}  // namespace corvane
