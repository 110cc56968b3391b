#include "evolve/child_checks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "evolve/breeding.h"
#include "figure/figure.h"
#include "figure/geometry.h"
#include "figure/make_geometry.h"
#include "figure/matrix4.h"
#include "os/random.h"

namespace corvane {
namespace {

constexpr uint32_t kMeasureSeed = 1;
// The frame is judged on a figure of at most this many lines, the most the
// gallery grows: a longer figure only retraces the emitter's path, and would
// take seconds to measure.
constexpr uint32_t kViewLines = 2000;
// Motion is judged as the gallery judges it: few lines, so the figure's
// motion is not hidden in its own crowd, compared 3 s of figure time apart.
constexpr uint32_t kAliveLines = 48;
constexpr double kAliveMs = 3000;
constexpr uint32_t kMaxAliveTicks = 3000;  // a tick length near 0 is at most 1 ms of figure time
constexpr uint32_t kGrowTicks = 10;        // past Lines + Points ticks the figure is grown

// The saver's projection: fovy 45 degrees, near 1, far 100000.
constexpr double kAspect = 4.0 / 3.0, kZNear = 1, kZFar = 100000;
const double kFocal = 1 / std::tan(22.5 * 3.141592653589793 / 180);

// What the figure takes of a parameter, as a whole count.
uint32_t Count(const TPresetParams& preset, int number) {
  return static_cast<uint32_t>(AppliedValue(*FindParam(number), preset.GetValue(number)));
}

// Keeps the process's generator as it was around a measurement.
class SeededRun {
 public:
  SeededRun() : saved_(RandomState()) { RandomSeed(kMeasureSeed); }
  ~SeededRun() { RandomSeed(saved_); }
  SeededRun(const SeededRun&) = delete;
  SeededRun& operator=(const SeededRun&) = delete;

 private:
  uint32_t saved_;
};

struct V3 {
  double x, y, z;
};
V3 Minus(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
bool Normalise(V3& v) {
  const double length = std::sqrt(Dot(v, v));
  if (!(length > 0) || !std::isfinite(length)) return false;
  v = {v.x / length, v.y / length, v.z / length};
  return true;
}

// The model-view matrix the renderer's look-at gives for parameters 55..63;
// nothing when eye, centre and up do not make a camera.
bool CameraOf(const TPresetParams& preset, Matrix4& m) {
  auto at = [&](int first) { return V3{preset.GetValue(first), preset.GetValue(first + 1), preset.GetValue(first + 2)}; };
  const V3 eye = at(55), up = at(61);
  V3 f = Minus(at(58), eye);
  if (!Normalise(f)) return false;
  V3 s = Cross(f, up);
  if (!Normalise(s)) return false;
  const V3 u = Cross(s, f);
  m = {s.x, u.x, -f.x, 0, s.y, u.y, -f.y, 0, s.z, u.z, -f.z, 0, -Dot(s, eye), -Dot(u, eye), Dot(f, eye), 1};
  return true;
}

// The child's figure with at most `lines` lines, reset and set up as the
// calculation thread does, then grown.
void StartFigure(Figure& figure, const TPresetParams& child, uint32_t lines) {
  figure.ResetFigure();
  for (int n = 1; n <= 54; ++n) {
    if (n == 3) continue;  // the tick length is the renderer's
    figure.SetFigureParam(n, n == 2 ? std::min(Count(child, 2), lines) : child.GetValue(n));
  }
  for (uint32_t t = std::min(Count(child, 2), lines) + Count(child, 1) + kGrowTicks; t > 0; --t) figure.StepFigure();
}

// Frame cells hit by the made points, and how many points fall inside.
struct Picture {
  std::vector<bool> cells = std::vector<bool>(size_t{kFrameCellsX} * kFrameCellsY);
  uint32_t inside = 0;
};

Picture Project(const Figure& figure, const Matrix4& camera) {
  Picture picture;
  const uint32_t capacity = figure.NumCoords();
  if (capacity == 0) return picture;
  std::vector<VertexRecord> vertices(capacity);
  std::vector<int32_t> keys(capacity);
  MakeJob job = FigureJob(figure, 1, figure.LineCount(), &camera);
  job.vertices = vertices.data();
  job.keys = keys.data();
  job.capacity = capacity;
  const uint32_t made = std::min(BuildVertices(job), capacity);
  for (uint32_t i = 0; i < made; ++i) {
    const float* p = vertices[i].position;
    double eye[3];
    for (int r = 0; r < 3; ++r) eye[r] = camera[r] * p[0] + camera[4 + r] * p[1] + camera[8 + r] * p[2] + camera[12 + r];
    const double w = -eye[2];
    if (!(w >= kZNear && w <= kZFar)) continue;
    const double x = kFocal / kAspect * eye[0] / w, y = kFocal * eye[1] / w;
    if (!(std::fabs(x) <= 1 && std::fabs(y) <= 1)) continue;
    ++picture.inside;
    const int cx = std::min(static_cast<int>((x + 1) / 2 * kFrameCellsX), kFrameCellsX - 1);
    const int cy = std::min(static_cast<int>((y + 1) / 2 * kFrameCellsY), kFrameCellsY - 1);
    picture.cells[static_cast<size_t>(cy) * kFrameCellsX + static_cast<size_t>(cx)] = true;
  }
  return picture;
}

double Coverage(const Picture& picture) {
  return static_cast<double>(std::count(picture.cells.begin(), picture.cells.end(), true)) / picture.cells.size();
}

// Share of the cells hit in either picture that only one of them hits.
double Change(const Picture& a, const Picture& b) {
  size_t either = 0, one = 0;
  for (size_t i = 0; i < a.cells.size(); ++i) {
    either += a.cells[i] || b.cells[i] ? 1 : 0;
    one += a.cells[i] != b.cells[i] ? 1 : 0;
  }
  return either ? static_cast<double>(one) / either : 0;
}

uint32_t AliveTicks(const TPresetParams& child) {
  const double tick = AppliedValue(*FindParam(3), child.GetValue(3));
  const double ticks = kAliveMs / tick;
  return ticks >= kMaxAliveTicks || !(tick > 0) ? kMaxAliveTicks : static_cast<uint32_t>(std::nearbyint(ticks));
}

// Thresholds, tuned so that every shipped preset passes with room to spare:
// sparks flying past the frame leave a fifth of a shipped figure inside, the
// sparest covers 6 % of the cells, the slowest changes 65 % of its cells.
constexpr double kMinInside = 0.1;
constexpr double kMinCoverage = 0.01;
constexpr double kMinChange = 0.1;

}  // namespace

ChildMeasures MeasureChild(const TPresetParams& child) {
  ChildMeasures m;
  m.points = uint64_t{Count(child, 1)} * Count(child, 2);
  Matrix4 camera;
  if (m.points == 0 || m.points > kPointBudget || !CameraOf(child, camera)) return m;
  const SeededRun seeded;
  Figure figure;
  StartFigure(figure, child, kViewLines);
  const Picture view = Project(figure, camera);
  m.inside = figure.NumCoords() ? static_cast<double>(view.inside) / figure.NumCoords() : 0;
  m.coverage = Coverage(view);

  StartFigure(figure, child, kAliveLines);
  const Picture before = Project(figure, camera);
  for (uint32_t t = AliveTicks(child); t > 0; --t) figure.StepFigure();
  m.change = Change(before, Project(figure, camera));
  return m;
}

ChildVerdict JudgeChild(const ChildMeasures& m) {
  if (m.points > kPointBudget) return ChildVerdict::OverBudget;
  if (m.points == 0) return ChildVerdict::Empty;
  if (!(m.inside >= kMinInside)) return ChildVerdict::OutOfView;
  if (!(m.coverage >= kMinCoverage)) return ChildVerdict::Speck;
  if (!(m.change >= kMinChange)) return ChildVerdict::Frozen;
  return ChildVerdict::Shown;
}

const char* VerdictName(ChildVerdict verdict) {
  switch (verdict) {
    case ChildVerdict::Shown: return "shown";
    case ChildVerdict::OverBudget: return "over budget";
    case ChildVerdict::Empty: return "empty";
    case ChildVerdict::OutOfView: return "out of view";
    case ChildVerdict::Speck: return "speck";
    case ChildVerdict::Frozen: return "frozen";
  }
  return "";
}

ShownPreset BreedShownChild(const TPresetParams& a, const TPresetParams& b, uint64_t seed) {
  ShownPreset shown;
  for (int attempt = 1; attempt <= kBreedAttempts; ++attempt) {
    shown.attempts = attempt;
    shown.seed = seed + static_cast<uint64_t>(attempt - 1);
    const TPresetParams child = BreedChild(a, b, shown.seed);
    // A child that came out as a parent again (genes the parents share, a
    // nudge lost in rounding) is nothing new.
    if (child == a || child == b) continue;
    if (JudgeChild(MeasureChild(child)) == ChildVerdict::Shown) {
      shown.preset = child;
      shown.isChild = true;
      return shown;
    }
  }
  shown.preset = a;
  return shown;
}

}  // namespace corvane
