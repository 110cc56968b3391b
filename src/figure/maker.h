#pragma once
// A geometry maker: a thread of the calculation thread that, on each start
// signal, builds and sorts the vertices of its share of the lines, then
// signals done. It runs only while the calculation thread waits for it.

#include <cstdint>
#include <functional>

#include "figure/make_geometry.h"
#include "os/sync.h"
#include "workers/aligned_memory.h"

namespace corvane {

class TMaker final : public TAlignThread {
 public:
  // Starts at once, idle until the first job. `onEnd` runs on the thread
  // when it ends, for whatever reason.
  explicit TMaker(std::function<void()> onEnd = {});
  ~TMaker() override;

  // Hands over a job and wakes the thread; the caller then waits for
  // DoneEvent and leaves the job's arrays alone until then.
  void AssignJob(const MakeJob& job);
  // Ends the loop at its next wake-up.
  void Stop();

  Event& DoneEvent() noexcept { return done_; }
  // The vertices of the last job; read after DoneEvent.
  uint32_t VertexCount() const noexcept { return vertexCount_; }

 protected:
  void Execute() override;

 private:
  MakeJob job_;
  uint32_t vertexCount_ = 0;
  Event start_{false, false};
  Event done_{false, false};
};

}  // namespace corvane
