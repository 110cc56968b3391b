#pragma once
// The command queue of a worker: any thread pushes numbered commands with a
// fixed-size parameter block, only the worker takes them, in order.

#include <cstdint>

#include "os/exception.h"
#include "os/sync.h"
#include "workers/list_arr.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EQueueComError);

// What an empty peek reports.
inline constexpr uint32_t kNoCommand = 0;
// RetDataID of a command whose sender expects no data.
inline constexpr int32_t NoRetData = 0;
// Asks ReserveRetData for the smallest free RetDataID.
inline constexpr int32_t AutoRetDataID = -1;

// Every operation holds the queue's lock for its whole run; no operation
// waits while holding it.
class TQueueCommands : private TListArr {
 public:
  explicit TQueueCommands(uint32_t paramsSize);

  using TListArr::operator new;
  using TListArr::operator delete;

  // Copies exactly ParamsSize() bytes from `params` (left as allocated when
  // null) and wakes the worker.
  void PushCommand(uint32_t commandId, int32_t retDataId, const void* params);
  // The first command's id, without taking it; false and kNoCommand when
  // the queue is empty.
  bool PeekCommand(uint32_t& commandId);
  // Takes the first command, copying its RetDataID and parameters to the
  // outputs that are not null. Raises on an empty queue.
  bool PopCommand(int32_t* retDataId, void* params);
  bool IsEmpty();

  // Makes the current or next WaitForCommand return even with nothing queued.
  void WakeUp();
  // Returns once a command is queued, a WakeUp happened since the last
  // wait, or the event was abandoned; waits in steps of timeoutMs.
  void WaitForCommand(uint32_t timeoutMs);

  uint32_t ParamsSize() const noexcept { return paramsSize_; }

 private:
  struct Header {
    uint32_t commandId;
    int32_t retDataId;
  };

  CriticalSection lock_;
  Event event_{true, false};
  bool signalled_ = false;
  uint32_t paramsSize_;
};

}  // namespace corvane
