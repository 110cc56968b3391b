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

const double (&Camera())[16] {
  static double m[16];
  const Matrix4 c = test::CameraAtDistance();
  std::copy(c.begin(), c.end(), m);
  return m;
}

// Both makers' lists, each sorted far to near.
void ExpectSortedHalves(const MakeResult& r) {
  for (int m = 0; m < 2; ++m) {
    test::Geometry g;
    g.count = m == 0 ? r.count1 : r.count2;
    const int32_t* keys = m == 0 ? r.keys1 : r.keys2;
    const uint32_t* order = m == 0 ? r.order1 : r.order2;
    g.keys.assign(keys, keys + g.count);
    g.order.assign(order, order + g.count);
    test::ExpectSorted(g);
  }
}

TEST(Calcer, ServesCommandsInOrderAndAlternatesTheBufferSets) {
  auto calcer = Started();
  calcer->SetParam(2, 12);
  calcer->SetParam(1, 5);
  calcer->Reset();
  EXPECT_EQ(calcer->GetParam(2), 12);
  EXPECT_EQ(calcer->GetParam(-0 + 1), 5);
  calcer->SetPriority(ThreadPriority::Lower);
  EXPECT_EQ(calcer->GetPriority(), ThreadPriority::Lower);

  // The line lengths depend only on the targets and the ticks.
  auto reference = std::make_unique<Figure>();
  reference->SetFigureParam(2, 12);
  reference->SetFigureParam(1, 5);
  for (int i = 0; i < 30; ++i) reference->StepFigure();
  calcer->Tick(30);
  const MakeResult first = calcer->FetchMake(calcer->RequestMake(Camera()));
  EXPECT_EQ(first.count1 + first.count2, reference->NumCoords());
  EXPECT_GT(first.count1, 0u);
  EXPECT_GT(first.count2, 0u);
  ExpectSortedHalves(first);

  // With NumCoords unchanged the two sets take turns.
  const MakeResult second = calcer->FetchMake(calcer->RequestMake(Camera()));
  const MakeResult third = calcer->FetchMake(calcer->RequestMake(Camera()));
  EXPECT_NE(second.vertices1, first.vertices1);
  EXPECT_NE(second.order2, first.order2);
  EXPECT_EQ(third.vertices1, first.vertices1);
  EXPECT_EQ(third.keys2, first.keys2);
  EXPECT_EQ(third.count1, first.count1);
}

TEST(Calcer, AnEmptyFigureGivesEmptyGeometry) {
  auto calcer = Started();
  calcer->Reset();
  MakeResult r = calcer->FetchMake(calcer->RequestMake(Camera()));
  EXPECT_EQ(r.count1 + r.count2, 0u);
  calcer->SetParam(2, 3);
  calcer->Tick(10);
  r = calcer->FetchMake(calcer->RequestMake(Camera()));
  EXPECT_GT(r.count2, 0u);
  calcer->SetParam(2, 0);
  calcer->Tick(3);
  r = calcer->FetchMake(calcer->RequestMake(Camera()));
  EXPECT_EQ(r.count1 + r.count2, 0u);
}

TEST(Calcer, StoppingWithAMakePendingStillEnds) {
  auto calcer = Started();
  calcer->Tick(5);
  const TCalcer::Ticket ticket = calcer->RequestMake(Camera());
  ASSERT_NE(ticket, 0u);
  calcer->StopWorker();
  const MakeResult r = calcer->FetchMake(ticket);
  EXPECT_EQ(r.vertices1, nullptr);
  EXPECT_EQ(r.count1 + r.count2, 0u);
  EXPECT_EQ(calcer->GetParam(1), 0.0);
  EXPECT_EQ(calcer->RequestMake(Camera()), 0u);
  // With the ticket collected nothing is left to keep the loop alive.
  calcer->StopWorker();
  calcer->WaitFor();
  EXPECT_TRUE(calcer->Finished());
}

TEST(Calcer, BadNumbersAndCommandsEndTheThreadAndAreLogged) {
  struct Case {
    const char* what;
    std::function<void(TCalcer&)> send;
    const char* message;
  };
  const Case cases[] = {
      {"renderer's number", [](TCalcer& c) { c.SetParam(55, 1); }, "Wrong parameter number."},
      {"number past a byte", [](TCalcer& c) { c.SetParam(129, 1); }, "Wrong parameter number."},
      {"get of Ticks", [](TCalcer& c) { c.GetParam(3); }, "Wrong parameter number."},
      {"command 7",
       [](TCalcer& c) {
         unsigned char params[136] = {};
         c.Queue().PushCommand(7, NoRetData, params);
       },
       "Wrong CommandID"},
  };
  for (const Case& c : cases) {
    test::ScopedErrorLog log;
    std::atomic<int> makersEnded{0};
    {
      auto calcer = Started([&] { ++makersEnded; });
      c.send(*calcer);
      calcer->WaitFor();
      EXPECT_EQ(calcer->GetParam(2), 0.0) << c.what;
      EXPECT_EQ(calcer->RequestMake(Camera()), 0u) << c.what;
      const std::string record = log.Contents();
      EXPECT_NE(record.find("Handler     :  TCalcer"), std::string::npos) << c.what;
      EXPECT_NE(record.find("Exception   :  ECalcerError"), std::string::npos) << c.what;
      EXPECT_NE(record.find(std::string("Message     :  ") + c.message), std::string::npos) << c.what;
    }
    EXPECT_EQ(makersEnded.load(), 2) << c.what;
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
  const double hostile[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e308,
                            -0.0};
  uint64_t ticks = 0;
  uint32_t maxPoints = 4;
  for (int frame = 0; frame < 2500; ++frame) {
    if (frame % 500 == 0) calcer->SetParam(2, frame % 1000 == 0 ? 10000 : 0);
    if (frame % 500 == 250) calcer->SetParam(2, rng() % 10001);
    if (frame % 37 == 0) {
      const int n = 4 + static_cast<int>(rng() % 51);
      calcer->SetParam(n, frame % 111 == 0 ? hostile[rng() % 4] : (rng() % 2000) / 1000.0);
    }
    if (frame % 97 == 0) {
      const uint32_t points = 1 + rng() % 6;
      maxPoints = std::max(maxPoints, points);
      calcer->SetParam(1, points);
    }
    if (frame % 401 == 0) {
      ASSERT_GE(calcer->GetParam(1), 1.0);
    }
    const uint32_t n = rng() % 5;
    calcer->Tick(n);
    ticks += n;
    const TCalcer::Ticket ticket = calcer->RequestMake(Camera());
    const MakeResult r = calcer->FetchMake(ticket);
    ASSERT_LE(uint64_t{r.count1} + r.count2, std::min<uint64_t>(ticks, 10000) * maxPoints) << frame;
    // "Draw": touch every vertex in drawing order.
    uint32_t alphaSum = 0;
    for (uint32_t j = 0; j < r.count1; ++j) alphaSum += r.vertices1[r.order1[j] - 1].color[3];
    for (uint32_t j = 0; j < r.count2; ++j) alphaSum += r.vertices2[r.order2[j] - 1].color[3];
    ASSERT_LE(alphaSum, 255u * (r.count1 + r.count2));
  }
  EXPECT_FALSE(calcer->Finished());
  EXPECT_EQ(log.Contents(), "");
}

}  // namespace
}  // namespace corvane
