#include "desktop/spin_thread.h"

#include <cstdint>
#include <thread>

namespace corvane {

void StartSpinThread() {
  if (std::thread::hardware_concurrency() <= 1) return;
  // Detached on purpose: it touches no data and ends by itself; the process
  // may end before it does. volatile: the count is the work.
  std::thread([] {
    volatile uint64_t counter = 4000000000ull;
    while (counter > 0) counter = counter - 1;
  }).detach();
}

}  // namespace corvane
