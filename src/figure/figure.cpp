#include "figure/figure.h"

#include <cmath>

#include "figure/kernels.h"
#include "figure/preset_params.h"
#include "os/random.h"

namespace corvane {
namespace {

constexpr double kPi = 3.141592653589793;

// A wandering quantity group: current values, their rates, the triplet of
// parameters (Mid, Shift, ScaleD) of each component, and whether the values
// are in units of pi. Listed in the order of every draw and bounce.
struct Group {
  int value;
  int rate;
  int components;
  int firstTriplet;   // 0 DT, 1..3 A, 4..6 F, 7..9 P, 10 NV, 11 TV, 12 BV
  bool tripletPerAxis;
  double scale;
};
constexpr Group kGroups[] = {
    {state::kDT, state::kDTRate, 1, 0, false, 1.0}, {state::kA, state::kARate, 3, 1, true, 1.0},
    {state::kF, state::kFRate, 3, 4, true, kPi},    {state::kP, state::kPRate, 3, 7, true, kPi},
    {state::kNV, state::kNVRate, 3, 10, false, 1.0}, {state::kTV, state::kTVRate, 3, 11, false, 1.0},
    {state::kBV, state::kBVRate, 3, 12, false, 1.0}};

int MidIndex(const Group& g, int component) {
  return state::ParamIndex(7 + 3 * (g.firstTriplet + (g.tripletPerAxis ? component : 0)));
}

struct Vec3 {
  double x, y, z;
  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
  double Length() const { return std::sqrt(x * x + y * y + z * z); }
};
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// v / m unless m is 0 (a zero vector, or a zero weight, stays as it is).
Vec3 DividedBy(const Vec3& v, double m) { return m != 0.0 ? v * (1.0 / m) : v; }

// Normal, tangent and binormal from two directions a and b: N = a - b and
// T = a + b of the normalised inputs are perpendicular; B = N x T. Each
// comes out with length 1 / weight (or zero).
struct Frame {
  Vec3 n, t, b;
};
Frame BuildFrame(Vec3 a, Vec3 b, double wN, double wT, double wB) {
  a = DividedBy(a, a.Length());
  b = DividedBy(b, b.Length());
  const Vec3 n = a - b, t = a + b, bn = Cross(n, t);
  return {DividedBy(n, n.Length() * wN), DividedBy(t, t.Length() * wT), DividedBy(bn, bn.Length() * wB)};
}

double RandomHalf() { return Random() - 0.5; }
// Uniform in [-s, s): s scales every random draw of the wandering quantities.
double RandomSym(double s) { return RandomHalf() * 2 * s; }
// Magnitude 1 plus up to s, random sign (always +1 when s is 0).
double RandomRate(double s) {
  const double x = RandomSym(s);
  return x >= 0 ? x + 1 : x - 1;
}

// The per-point frame that shapes the solid drawn there: random, mutually
// perpendicular axes of length 0.8..4/3.
void RandomFrame(float out[9]) {
  const double ax = RandomHalf(), ay = RandomHalf(), az = RandomHalf();
  const double bx = RandomHalf(), by = RandomHalf(), bz = RandomHalf();
  const double wN = RandomHalf() * 0.5 + 1, wT = RandomHalf() * 0.5 + 1, wB = RandomHalf() * 0.5 + 1;
  const Frame f = BuildFrame({ax, ay, az}, {bx, by, bz}, wN, wT, wB);
  const Vec3* axes[3] = {&f.n, &f.t, &f.b};
  for (int i = 0; i < 3; ++i) {
    out[3 * i] = static_cast<float>(axes[i]->x);
    out[3 * i + 1] = static_cast<float>(axes[i]->y);
    out[3 * i + 2] = static_cast<float>(axes[i]->z);
  }
}

// The table entry of a parameter the calculation thread keeps.
const ParamInfo& FigureParam(int number) {
  const ParamInfo* info = FindParam(number);
  if (!info || info->consumer != ParamConsumer::Calcer) throw ECalcerError("Wrong parameter number.");
  return *info;
}

// Points and lines are stored as counts that index the rings and records.
static_assert(FindParam(1)->cap == kMaxPoints && FindParam(2)->cap == kMaxLines);

}  // namespace

Figure::Figure()
    : state_(state::kSize, kPageAlignment),
      rings_(size_t{kMaxLines} * kMaxPoints, kPageAlignment),
      records_(kMaxLines, kPageAlignment) {
  for (int i = 0; i < state::kSize; ++i) S(i) = 0.0;
  for (int n = 4; n <= 54; ++n) S(state::ParamIndex(n)) = ParamDefault(n);
  S(state::ParamIndex(47)) = 1.0;  // ColorR2 and ColorB1 start at 1, not at their preset default
  S(state::ParamIndex(52)) = 1.0;
  FreeAllLines();
}

void Figure::FreeAllLines() {
  for (uint32_t i = 0; i < kMaxLines; ++i) records_[i] = LineRecord{kFreeLine, 0, {0, 0, 0}};
}

void Figure::ResetFigure() {
  lineCount_ = 0;
  newest_ = 0;
  numCoords_ = 0;
  FreeAllLines();
  RandomizeState();
}

void Figure::RandomizeState() {
  const double s = S(state::kStochastity);
  for (const Group& g : kGroups) {
    for (int k = 0; k < g.components; ++k) {
      const int mid = MidIndex(g, k);
      S(g.value + k) = (S(mid) + S(mid + 1) * RandomSym(s)) * g.scale;
    }
    for (int k = 0; k < g.components; ++k) S(g.rate + k) = S(MidIndex(g, k) + 2) * RandomRate(s) * g.scale;
  }
  for (int k = 0; k < 3; ++k) S(state::kT + k) = 0.0;
}

// Keeps a quantity inside [Mid - Shift, Mid + Shift]: at or past an end the
// rate turns inwards with a fresh magnitude. The candidate is drawn every
// time, so the draws do not depend on where the quantities are.
void Figure::Bounce(int valueIndex, int rateIndex, int mid, double scale) {
  const double candidate = S(mid + 2) * RandomRate(S(state::kStochastity)) * scale;
  const double lo = (S(mid) - S(mid + 1)) * scale, hi = (S(mid) + S(mid + 1)) * scale;
  const double v = S(valueIndex);
  if (!(v > lo))
    S(rateIndex) = std::fabs(candidate);
  else if (v >= hi)
    S(rateIndex) = -std::fabs(candidate);
}

uint32_t Figure::StepFigure() {
  for (const Group& g : kGroups)
    for (int k = 0; k < g.components; ++k) S(g.value + k) += S(g.rate + k);
  for (const Group& g : kGroups)
    for (int k = 0; k < g.components; ++k) Bounce(g.value + k, g.rate + k, MidIndex(g, k), g.scale);
  const double dt = S(state::kDT);
  for (int k = 0; k < 3; ++k) S(state::kT + k) += S(state::kF + k) * dt;

  if (lineCount_ < lines_) {
    ++lineCount_;
    records_[lineCount_ - 1] = LineRecord{kFreeLine, 0, {0, 0, 0}};
  } else if (lineCount_ > lines_) {
    --lineCount_;
  }
  if (lineCount_ == 0) {
    newest_ = 0;
    numCoords_ = 0;
    return 0;
  }
  newest_ = newest_ < lineCount_ ? newest_ + 1 : 1;

  // The emitter and the frame of its path, from points a short step of
  // phase ahead and behind (no step when time stands still).
  const double eps = dt > 0 ? 0.0001 : dt < 0 ? -0.0001 : 0.0;
  const SineRoutine sine = PathSine();
  double e[3], ePlus[3], eMinus[3];
  for (int k = 0; k < 3; ++k) {
    const double a = S(state::kA + k), f = S(state::kF + k), t = S(state::kT + k), p = S(state::kP + k);
    e[k] = a * sine(t + p);
    ePlus[k] = a * sine(f * eps + t + p);
    eMinus[k] = a * sine(t - f * eps + p);
  }
  const Frame path = BuildFrame({ePlus[0] - e[0], ePlus[1] - e[1], ePlus[2] - e[2]},
                                {e[0] - eMinus[0], e[1] - eMinus[1], e[2] - eMinus[2]}, 1, 1, 1);

  const double n[3] = {path.n.x, path.n.y, path.n.z}, t[3] = {path.t.x, path.t.y, path.t.z},
               b[3] = {path.b.x, path.b.y, path.b.z};
  LineRecord& born = records_[newest_ - 1];
  born.length = 1;
  born.head = 1;
  for (int k = 0; k < 3; ++k)
    born.drift[k] = static_cast<float>(S(state::kNV + k) * n[k] + S(state::kTV + k) * t[k] + S(state::kBV + k) * b[k]);
  PointSlot& birth = Slot(newest_, 1);
  for (int k = 0; k < 3; ++k) birth.position[k] = e[k];
  RandomFrame(birth.frame);

  uint32_t total = 0;
  for (uint32_t r = 1; r <= lineCount_; ++r) {
    LineRecord& line = records_[r - 1];
    if (line.length == kFreeLine) continue;
    if (line.length < points_)
      ++line.length;
    else if (line.length > points_)
      --line.length;
    total += line.length;
    const PointSlot& previous = Slot(r, line.head);
    line.head = line.head == kMaxPoints ? 1 : line.head + 1;
    PointSlot& next = Slot(r, line.head);
    for (int k = 0; k < 3; ++k) next.position[k] = previous.position[k] + line.drift[k];
    RandomFrame(next.frame);
  }
  numCoords_ = total;
  return total;
}

// The figure keeps the parameters the table gives the calculation thread,
// each stored by the table's rule. Stochastity and the triplets change how
// the quantities wander, so setting one restarts the wandering.
void Figure::SetFigureParam(int number, double value) {
  const double applied = AppliedValue(FigureParam(number), value);
  if (number == 1) {
    points_ = static_cast<uint32_t>(applied);
  } else if (number == 2) {
    lines_ = static_cast<uint32_t>(applied);
  } else {
    S(state::ParamIndex(number)) = applied;
    if (number == 4 || (number >= 7 && number <= 45)) RandomizeState();
  }
}

double Figure::GetFigureParam(int number) const {
  FigureParam(number);
  if (number == 1) return points_;
  if (number == 2) return lines_;
  return S(state::ParamIndex(number));
}

}  // namespace corvane
