#include "workers/ret_data.h"

#include <cstring>

namespace corvane {

TListRetData::TListRetData(uint32_t dataSize) : TListArr(uint32_t(dataSize + sizeof(Header))), dataSize_(dataSize) {}

TListRetData::Header TListRetData::EntryHeader() const {
  Header header;
  std::memcpy(&header, Current(), sizeof header);
  return header;
}

bool TListRetData::FindEntry(uint32_t commandId, int32_t retDataId) {
  for (uint32_t index = 1; index <= Count(); ++index) {
    GoToIndex(index);
    Header header = EntryHeader();
    if (header.commandId == commandId && header.retDataId == retDataId) return true;
  }
  return false;
}

int32_t TListRetData::ReserveRetData(uint32_t commandId, int32_t retDataId) {
  Lock lock(lock_);
  if (retDataId == AutoRetDataID) {
    retDataId = 1;
    for (uint32_t index = 1; index <= Count(); ++index) {
      GoToIndex(index);
      if (EntryHeader().retDataId == retDataId) {
        ++retDataId;
        index = 0;  // a larger candidate may be used by an earlier slot
      }
    }
  }
  AppendNode();
  const Header header{commandId, retDataId, kReserved};
  std::memcpy(Current(), &header, sizeof header);
  return retDataId;
}

bool TListRetData::SaveRetData(uint32_t commandId, int32_t retDataId, const void* data) {
  Lock lock(lock_);
  if (Count() == 0) throw EListRetDataError("Cannot save data. List is empty.");
  if (!FindEntry(commandId, retDataId)) throw EListRetDataError("Cannot save data. Wrong CommandID or RetDataID.");
  Header header = EntryHeader();
  if (header.state != kReserved) throw EListRetDataError("Cannot save data. Data already saved.");
  auto* entry = static_cast<char*>(Current());
  if (data) std::memcpy(entry + sizeof header, data, dataSize_);
  header.state = kSaved;
  std::memcpy(entry, &header, sizeof header);
  return true;
}

bool TListRetData::ExtractRetData(uint32_t commandId, int32_t retDataId, void* data) {
  Lock lock(lock_);
  if (Count() == 0) throw EListRetDataError("Cannot extract data. List is empty.");
  if (!FindEntry(commandId, retDataId))
    throw EListRetDataError("Cannot extract data. Wrong CommandID or RetDataID.");
  if (EntryHeader().state != kSaved) throw EListRetDataError("Cannot extract data. Data not saved.");
  if (data) std::memcpy(data, static_cast<const char*>(Current()) + sizeof(Header), dataSize_);
  DeleteCurrent();
  return true;
}

bool TListRetData::IsEmpty() {
  Lock lock(lock_);
  return Count() == 0;
}

}  // namespace corvane
