#pragma once
// What the drawing thread needs of its calculation thread: the renderer's
// client operations, plus the restart, the priority of the calculation
// threads and the stop that the drawing thread itself asks for.

#include "os/thread.h"
#include "render/calc_client.h"

namespace corvane {

class CalcThread : public CalcClient {
 public:
  // Restarts the figure and waits until that is done.
  virtual void Reset() = 0;
  // Applies to the calculation thread and its geometry threads.
  virtual void SetPriority(ThreadPriority priority) = 0;
  virtual ThreadPriority Priority() const = 0;
  // Asks the thread to end; it is joined when the object goes.
  virtual void Stop() = 0;
};

}  // namespace corvane
