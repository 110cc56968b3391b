#include "figure/calcer.h"

#include <algorithm>
#include <cstring>

#include "os/os_error.h"

namespace corvane {
namespace {

constexpr uint32_t kMakerWaitMs = 1000;

// The parameter block of every command, laid out per command.
union CommandParams {
  struct {
    Event* reply;
  } reset;
  // Numbers travel whole: one the figure does not know must raise, never
  // alias a known one through a truncated field.
  struct {
    int32_t number;
    double value;
  } setParam;
  struct {
    int32_t number;
    Event* reply;
  } getParam;
  struct {
    uint32_t count;
  } tick;
  struct {
    Event* reply;
    double camera[16];
  } make;
};
static_assert(sizeof(CommandParams) == 136, "the command payload is 136 bytes");

// What a pending make is collected by: the RetDataID of its reply and the
// event the handler sets.
struct TicketRecord {
  int32_t makeRetDataId;
  Event* reply;
};

// Every reply shares one record size: the make's is the largest.
union Reply {
  MakeResult make;
  double value;
  TicketRecord ticket;
};

CommandParams NewParams() {
  CommandParams p;
  std::memset(&p, 0, sizeof p);
  return p;
}

}  // namespace

void TCalcer::BufferSet::Swap(BufferSet& other) noexcept {
  for (int m = 0; m < 2; ++m) {
    vertices[m].Swap(other.vertices[m]);
    keys[m].Swap(other.keys[m]);
    order[m].Swap(other.order[m]);
  }
  std::swap(capacity, other.capacity);
}

TCalcer::TCalcer(std::function<void()> onThreadEnd) : TWorker(sizeof(CommandParams), sizeof(Reply)) {
  for (auto& maker : makers_) maker = std::make_unique<TMaker>(onThreadEnd);
}

TCalcer::~TCalcer() = default;

void TCalcer::SetPriority(ThreadPriority priority) {
  Thread::SetPriority(priority);
  for (auto& maker : makers_) maker->SetPriority(priority);
}

// ---- client operations (drawing thread) ----

void TCalcer::Reset() {
  if (Terminated()) return;
  Event reply(false, false);
  CommandParams p = NewParams();
  p.reset.reply = &reply;
  Queue().PushCommand(kReset, NoRetData, &p);
  WaitForReply(reply);
}

void TCalcer::SetParam(int number, double value) {
  if (Terminated()) return;
  CommandParams p = NewParams();
  p.setParam.number = number;
  p.setParam.value = value;
  Queue().PushCommand(kSetParam, NoRetData, &p);
}

double TCalcer::GetParam(int number) {
  if (Terminated()) return 0.0;
  Event reply(false, false);
  const int32_t id = RetData().ReserveRetData(kGetParam, AutoRetDataID);
  CommandParams p = NewParams();
  p.getParam.number = number;
  p.getParam.reply = &reply;
  Queue().PushCommand(kGetParam, id, &p);
  Reply r{};
  if (!WaitForReply(reply)) return 0.0;
  RetData().ExtractRetData(kGetParam, id, &r);
  return r.value;
}

void TCalcer::Tick(uint32_t count) {
  if (Terminated()) return;
  CommandParams p = NewParams();
  p.tick.count = count;
  Queue().PushCommand(kTick, NoRetData, &p);
}

TCalcer::Ticket TCalcer::RequestMake(const double (&modelView)[16]) {
  if (Terminated()) return NoRetData;
  auto reply = std::make_unique<Event>(false, false);
  const int32_t makeId = RetData().ReserveRetData(kMake, AutoRetDataID);
  const int32_t ticket = RetData().ReserveRetData(kTicketId, AutoRetDataID);
  Reply record{};
  record.ticket = TicketRecord{makeId, reply.get()};
  RetData().SaveRetData(kTicketId, ticket, &record);
  CommandParams p = NewParams();
  p.make.reply = reply.release();  // freed by FetchMake
  std::copy(std::begin(modelView), std::end(modelView), p.make.camera);
  Queue().PushCommand(kMake, makeId, &p);
  return static_cast<Ticket>(ticket);
}

MakeResult TCalcer::FetchMake(Ticket ticket) {
  MakeResult result{};
  if (ticket == NoRetData) return result;
  Reply record{};
  RetData().ExtractRetData(kTicketId, static_cast<int32_t>(ticket), &record);
  const std::unique_ptr<Event> reply(record.ticket.reply);
  if (!WaitForReply(*reply)) return result;
  Reply made{};
  RetData().ExtractRetData(kMake, record.ticket.makeRetDataId, &made);
  if (Terminated()) return result;
  // The makers are done with the back set: it becomes the one drawn.
  front_.Swap(back_);
  return made.make;
}

// ---- the thread ----

void TCalcer::ExecuteCommand() {
  uint32_t command;
  if (!Queue().PeekCommand(command)) return;
  if (command < kReset || command > kMake) throw ECalcerError("Wrong CommandID");
  int32_t retDataId;
  CommandParams p;
  if (!Queue().PopCommand(&retDataId, &p)) return;
  switch (command) {
    case kReset:
      figure_.ResetFigure();
      count1_ = count2_ = 0;
      p.reset.reply->Set();
      break;
    case kSetParam:
      figure_.SetFigureParam(p.setParam.number, p.setParam.value);
      break;
    case kGetParam: {
      Reply r{};
      r.value = figure_.GetFigureParam(p.getParam.number);
      RetData().SaveRetData(kGetParam, retDataId, &r);
      p.getParam.reply->Set();
      break;
    }
    case kTick:
      for (uint32_t i = 0; i < p.tick.count; ++i) figure_.StepFigure();
      break;
    case kMake:
      DoMake(retDataId, p.make.reply, p.make.camera);
      break;
  }
}

void TCalcer::DoMake(int32_t retDataId, Event* reply, const double* camera) {
  Reply r{};
  const uint32_t numCoords = figure_.NumCoords();
  if (back_.capacity != numCoords) {
    for (int m = 0; m < 2; ++m) {
      back_.vertices[m].Allocate(numCoords, kPageAlignment);
      back_.keys[m].Allocate(numCoords, kPageAlignment);
      back_.order[m].Allocate(numCoords, kPageAlignment);
      scratch_[m].Allocate(numCoords, kPageAlignment);
    }
    back_.capacity = numCoords;
  }
  std::copy(camera, camera + 16, camera_.begin());
  const uint32_t lineCount = figure_.LineCount(), half = lineCount / 2;
  for (int m = 0; m < 2; ++m) {
    MakeJob job = m == 0 ? FigureJob(figure_, 1, half, &camera_) : FigureJob(figure_, half + 1, lineCount, &camera_);
    job.vertices = back_.vertices[m].Data();
    job.keys = back_.keys[m].Data();
    job.order = back_.order[m].Data();
    job.scratch = scratch_[m].Data();
    job.capacity = numCoords;
    makers_[m]->AssignJob(job);
  }
  if (WaitForMakers()) {
    count1_ = makers_[0]->VertexCount();
    count2_ = makers_[1]->VertexCount();
    r.make = MakeResult{back_.vertices[0].Data(), back_.keys[0].Data(), back_.order[0].Data(),
                        back_.vertices[1].Data(), back_.keys[1].Data(), back_.order[1].Data(),
                        count1_,                  count2_};
    if (uint64_t{count1_} + count2_ > numCoords) throw ECalcerError("NumCoords < NumTriangles");
  }
  RetData().SaveRetData(kMake, retDataId, &r);
  reply->Set();
}

// Both done events, in either order; a maker that ended (it sets its done
// event on the way out) stops this worker too.
bool TCalcer::WaitForMakers() {
  bool done[2] = {false, false};
  auto anyEnded = [this] { return makers_[0]->Terminated() || makers_[1]->Terminated(); };
  while (!(done[0] && done[1]) && !anyEnded()) {
    for (int m = 0; m < 2; ++m) {
      if (done[m]) continue;
      Event& event = makers_[m]->DoneEvent();
      switch (event.Wait(kMakerWaitMs)) {
        case WaitResult::Signalled:
          done[m] = true;
          break;
        case WaitResult::Timeout:
          break;
        case WaitResult::Abandoned:
          StopWorker();
          return false;
        case WaitResult::Failed:
          RaiseLastOSErrorAt(event.LastError());
      }
    }
  }
  if (anyEnded()) {
    StopWorker();
    return false;
  }
  return true;
}

void TCalcer::FinishWork() {
  for (auto& maker : makers_) maker->Stop();
}

}  // namespace corvane
