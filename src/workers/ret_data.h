#pragma once
// Return-data slots of a worker: a sender reserves a slot keyed by
// (CommandID, RetDataID), the worker saves the result into it, the sender
// extracts it.

#include <cstdint>

#include "os/exception.h"
#include "os/sync.h"
#include "workers/command_queue.h"
#include "workers/list_arr.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EListRetDataError);

// Every operation holds the list's lock for its whole run.
class TListRetData : private TListArr {
 public:
  explicit TListRetData(uint32_t dataSize);

  using TListArr::operator new;
  using TListArr::operator delete;

  // Adds a reserved, unsaved slot and returns its RetDataID. AutoRetDataID
  // picks the smallest positive id no slot uses, under any CommandID; an
  // explicit id is taken as given.
  int32_t ReserveRetData(uint32_t commandId, int32_t retDataId);
  // Copies DataSize() bytes (none when `data` is null) into the first
  // matching slot and marks it saved.
  bool SaveRetData(uint32_t commandId, int32_t retDataId, const void* data);
  // Copies the first matching slot's data out (when `data` is not null) and
  // removes the slot; the slot must have been saved.
  bool ExtractRetData(uint32_t commandId, int32_t retDataId, void* data);
  bool IsEmpty();

  uint32_t DataSize() const noexcept { return dataSize_; }

 private:
  static constexpr int32_t kReserved = -1;
  static constexpr int32_t kSaved = 0;

  struct Header {
    uint32_t commandId;
    int32_t retDataId;
    int32_t state;
  };

  // Puts the cursor on the first slot with both ids; false when none has.
  bool FindEntry(uint32_t commandId, int32_t retDataId);
  Header EntryHeader() const;

  CriticalSection lock_;
  uint32_t dataSize_;
};

}  // namespace corvane
