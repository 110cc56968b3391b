#pragma once
// The calculation thread: owns the figure, advances it in ticks, and has
// its two makers build the geometry for a camera into double-buffered
// sets, so that the renderer draws one set while the makers fill the other.
// Driven through its command queue by the client operations below, which
// the drawing thread calls.

#include <cstdint>
#include <functional>
#include <memory>

#include "figure/aligned_buffer.h"
#include "figure/figure.h"
#include "figure/geometry.h"
#include "figure/maker.h"
#include "figure/matrix4.h"
#include "workers/worker.h"

namespace corvane {

class TCalcer final : public TWorker {
 public:
  using Ticket = uint32_t;  // 0: nothing to fetch

  enum Command : uint32_t { kReset = 1, kSetParam = 2, kGetParam = 3, kTick = 4, kMake = 5 };
  // Return data under this id holds the tickets of pending makes.
  static constexpr uint32_t kTicketId = 6;

  // Created suspended, like every worker; the makers start at once.
  // `onThreadEnd` runs when either maker's thread ends; the owner gives the
  // calculation thread's own with SetOnTerminate.
  explicit TCalcer(std::function<void()> onThreadEnd = {});
  ~TCalcer() override;
  const char* ClassName() const noexcept override { return "TCalcer"; }

  // Client operations; once the thread has been told to stop they do
  // nothing and answer zero, except that FetchMake still collects its
  // ticket, so that no result is left to keep the thread alive.
  void Reset();
  void SetParam(int number, double value);
  double GetParam(int number);
  void Tick(uint32_t count);
  // At most one make may be pending: fetch it before requesting the next.
  Ticket RequestMake(const double (&modelView)[16]);
  MakeResult FetchMake(Ticket ticket);

  // The calculation thread and both makers.
  void SetPriority(ThreadPriority priority);
  ThreadPriority GetPriority() const { return Priority(); }

 protected:
  void StartWork() override {}
  void ExecuteCommand() override;
  void FinishWork() override;

 private:
  struct BufferSet {
    AlignedBuffer<VertexRecord> vertices[2];
    AlignedBuffer<int32_t> keys[2];
    AlignedBuffer<uint32_t> order[2];
    uint32_t capacity = 0;
    void Swap(BufferSet& other) noexcept;
  };

  void DoMake(int32_t retDataId, Event* reply, const double* camera);
  bool WaitForMakers();

  Figure figure_;
  uint32_t count1_ = 0, count2_ = 0;
  BufferSet front_, back_;
  AlignedBuffer<uint32_t> scratch_[2];
  Matrix4 camera_{};
  // Last, so that they are gone before the arrays they read.
  std::unique_ptr<TMaker> makers_[2];
};

}  // namespace corvane
