#include "drawer/calcer_thread.h"

namespace corvane {

CalcerThread::CalcerThread(std::function<void()> onEnd) : calcer_(new TCalcer(onEnd)) {
  calcer_->SetOnTerminate(std::move(onEnd));
  calcer_->Resume();
}

}  // namespace corvane
