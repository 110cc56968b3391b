#include "workers/command_queue.h"

#include <cstring>

#include "os/os_error.h"

namespace corvane {

TQueueCommands::TQueueCommands(uint32_t paramsSize)
    : TListArr(uint32_t(paramsSize + sizeof(Header))), paramsSize_(paramsSize) {}

void TQueueCommands::PushCommand(uint32_t commandId, int32_t retDataId, const void* params) {
  Lock lock(lock_);
  AppendNode();
  auto* record = static_cast<char*>(Current());
  const Header header{commandId, retDataId};
  std::memcpy(record, &header, sizeof header);
  if (params) std::memcpy(record + sizeof header, params, paramsSize_);
  event_.Set();
}

bool TQueueCommands::PeekCommand(uint32_t& commandId) {
  Lock lock(lock_);
  if (Count() == 0) {
    commandId = kNoCommand;
    return false;
  }
  GoToIndex(1);
  Header header;
  std::memcpy(&header, Current(), sizeof header);
  commandId = header.commandId;
  return true;
}

bool TQueueCommands::PopCommand(int32_t* retDataId, void* params) {
  Lock lock(lock_);
  if (Count() == 0) throw EQueueComError("Cannot extract command. Queue is empty.");
  GoToIndex(1);
  auto* record = static_cast<const char*>(Current());
  if (retDataId) {
    Header header;
    std::memcpy(&header, record, sizeof header);
    *retDataId = header.retDataId;
  }
  if (params) std::memcpy(params, record + sizeof(Header), paramsSize_);
  DeleteCurrent();
  return true;
}

bool TQueueCommands::IsEmpty() {
  Lock lock(lock_);
  return Count() == 0;
}

void TQueueCommands::WakeUp() {
  Lock lock(lock_);
  signalled_ = true;
  event_.Set();
}

void TQueueCommands::WaitForCommand(uint32_t timeoutMs) {
  {
    Lock lock(lock_);
    // The event stays set while commands or a wake-up are pending, so one
    // that arrives between this test and the wait below is not lost.
    if (!signalled_ && Count() == 0) event_.Reset();
    signalled_ = false;
  }
  for (;;) {
    switch (event_.Wait(timeoutMs)) {
      case WaitResult::Signalled:
      case WaitResult::Abandoned:
        return;
      case WaitResult::Failed:
        RaiseLastOSErrorAt(event_.LastError());
      case WaitResult::Timeout:
        break;
    }
  }
}

}  // namespace corvane
