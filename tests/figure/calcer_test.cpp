#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <memory>
#include <random>

#include "figure/calcer.h"
#include "figure_fixtures.h"
#include "support/test_support.h"

namespace corvane {
namespace {

std::unique_ptr<TCalcer> Started(std::function<void()> onMakerEnd = {}) {
  std::unique_ptr<TCalcer> calcer(new TCalcer(std::move(onMakerEnd)));
  calcer->Resume();
  return calcer;
}

MakeResult Make(TCalcer& calcer) {
  double m[16];
  const Matrix4 camera = test::CameraAtDistance();
  std::copy(camera.begin(), camera.end(), m);
  return calcer.FetchMake(calcer.RequestMake(m));
}

TEST(Calcer, ServesCommandsInOrderAndAlternatesTheBufferSets) {
  auto calcer = Started();
  EXPECT_EQ(Make(*calcer).count2, 0u);  // nothing has been ticked
  const test::ParamList targets = {{2, 12}, {1, 5}};
  for (const auto& [n, v] : targets) calcer->SetParam(n, v);
  calcer->Reset();
  EXPECT_EQ(calcer->GetParam(2), 12);
  calcer->SetPriority(ThreadPriority::Lower);
  EXPECT_EQ(calcer->GetPriority(), ThreadPriority::Lower);

  auto reference = std::make_unique<Figure>();  // lengths depend only on the targets and the ticks
  test::Apply(*reference, targets);
  for (int i = 0; i < 30; ++i) reference->StepFigure();
  calcer->Tick(30);
  const MakeResult first = Make(*calcer), second = Make(*calcer), third = Make(*calcer);
  EXPECT_EQ(first.count1 + first.count2, reference->NumCoords());
  EXPECT_GT(first.count1, 0u);
  test::ExpectSorted(first.keys1, first.order1, first.count1);
  test::ExpectSorted(first.keys2, first.order2, first.count2);
  // NumCoords unchanged: the two sets take turns.
  EXPECT_NE(second.vertices1, first.vertices1);
  EXPECT_EQ(third.vertices1, first.vertices1);
  EXPECT_EQ(third.order2, first.order2);

  calcer->SetParam(2, 0);
  calcer->Tick(12);
  EXPECT_EQ(Make(*calcer).count1 + Make(*calcer).count2, 0u);
}

TEST(Calcer, StoppingWithAMakePendingStillEnds) {
  auto calcer = Started();
  calcer->Tick(5);
  double m[16] = {};
  const TCalcer::Ticket ticket = calcer->RequestMake(m);
  calcer->StopWorker();
  // The ticket is collected even now; left behind it would keep the thread
  // alive for ever.
  EXPECT_EQ(calcer->FetchMake(ticket).vertices1, nullptr);
  EXPECT_EQ(calcer->GetParam(1), 0.0);
  EXPECT_EQ(calcer->RequestMake(m), 0u);
  calcer->StopWorker();
  calcer->WaitFor();
  EXPECT_TRUE(calcer->Finished());
}

TEST(Calcer, BadNumbersAndCommandsEndTheThreadAndAreLogged) {
  const std::pair<std::function<void(TCalcer&)>, const char*> cases[] = {
      {[](TCalcer& c) { c.SetParam(55, 1); }, "Wrong parameter number."},
      {[](TCalcer& c) { c.SetParam(129, 1); }, "Wrong parameter number."},  // not aliased to Points
      {[](TCalcer& c) { c.GetParam(3); }, "Wrong parameter number."},
      {[](TCalcer& c) {
         unsigned char params[136] = {};
         c.Queue().PushCommand(7, NoRetData, params);
       },
       "Wrong CommandID"}};
  for (const auto& [send, message] : cases) {
    test::ScopedErrorLog log;
    std::atomic<int> makersEnded{0};
    {
      auto calcer = Started([&] { ++makersEnded; });
      send(*calcer);
      calcer->WaitFor();
      EXPECT_EQ(calcer->GetParam(2), 0.0) << message;
      EXPECT_EQ(Make(*calcer).vertices1, nullptr) << message;
      for (const std::string line : {"Handler     :  TCalcer", "Exception   :  ECalcerError"})
        EXPECT_NE(log.Contents().find(line), std::string::npos) << message;
      EXPECT_NE(log.Contents().find(std::string("Message     :  ") + message), std::string::npos);
    }
    EXPECT_EQ(makersEnded.load(), 2) << message;
  }
}

// What the renderer does every frame, with the parameters changing under it
// and Lines swinging across its whole range; run it under ThreadSanitizer.
TEST(Calcer, RendererLoopWhileParametersChange) {
  test::ScopedErrorLog log;
  auto calcer = Started();
  calcer->SetParam(1, 4);
  calcer->Reset();
  std::mt19937 rng(11);
  const double odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e308, -0.0};
  uint64_t ticks = 0;
  uint32_t maxPoints = 4;
  for (int frame = 0; frame < 2500; ++frame) {
    if (frame % 250 == 0) calcer->SetParam(2, frame % 500 ? rng() % 10001 : frame % 1000 ? 0 : 10000);
    if (frame % 37 == 0) calcer->SetParam(4 + rng() % 51, frame % 111 ? (rng() % 2000) / 1000.0 : odd[rng() % 4]);
    if (frame % 97 == 0) {
      const uint32_t points = 1 + frame % 6;
      maxPoints = std::max(maxPoints, points);
      calcer->SetParam(1, points);
    }
    if (frame % 401 == 0) {
      ASSERT_GE(calcer->GetParam(1), 1.0);
    }
    const uint32_t n = rng() % 5;
    calcer->Tick(n);
    ticks += n;
    const MakeResult r = Make(*calcer);
    ASSERT_LE(uint64_t{r.count1} + r.count2, std::min<uint64_t>(ticks, 10000) * maxPoints) << frame;
    uint32_t alpha = 0;  // "draw": every vertex in drawing order
    for (uint32_t j = 0; j < r.count1; ++j) alpha += r.vertices1[r.order1[j] - 1].color[3];
    for (uint32_t j = 0; j < r.count2; ++j) alpha += r.vertices2[r.order2[j] - 1].color[3];
    ASSERT_LE(alpha, 255u * (r.count1 + r.count2));
  }
  EXPECT_FALSE(calcer->Finished());  // it would have ended on "NumCoords < NumTriangles"
  EXPECT_EQ(log.Contents(), "");
}

}  // namespace
}  // namespace corvane
