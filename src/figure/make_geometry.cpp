#include "figure/make_geometry.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "figure/kernels.h"
#include "figure/rounding.h"

namespace corvane {
namespace {

constexpr uint32_t kColorCap = 255;

// Relative age of line slot i: the newest line has age 1, the oldest age
// lineCount, whatever slot the round robin has reached.
long double RelativeAge(uint32_t i, uint32_t newest, uint32_t lineCount) {
  const uint32_t age = newest >= i ? newest - i + 1 : lineCount - (i - newest - 1);
  return static_cast<long double>(age) / lineCount;
}

// A colour channel or alpha base, clamped to 0..255 (NaN: 0) and kept as a
// float: the narrowing decides ties, so 246.5000001 rounds to 246. Clamping
// first keeps the narrowing in range and changes nothing else.
float ToColorFloat(long double value) {
  if (!(value > 0)) return 0;
  if (value > kColorCap) return kColorCap;
  return static_cast<float>(value);
}

}  // namespace

MakeJob FigureJob(const Figure& figure, uint32_t firstLine, uint32_t lastLine, const Matrix4* camera) {
  MakeJob job;
  job.firstLine = firstLine;
  job.lastLine = lastLine;
  job.lineCount = figure.LineCount();
  job.newestLine = figure.NewestLine();
  job.state = figure.State();
  job.camera = camera;
  job.records = figure.Records();
  job.rings = figure.Rings();
  return job;
}

namespace {

// The size factors and fades along a line depend on its length alone (the
// density is the job's): most lines share the full length, so their square
// roots are taken once per length, not per point.
class AlongLine {
 public:
  explicit AlongLine(double density) : density_(density) {}
  void Prepare(uint32_t length) {
    if (length == length_) return;
    length_ = length;
    const double sizeBase = length * density_;
    for (uint32_t k = 1; k <= length; ++k) {
      size_[k - 1] = static_cast<float>(std::sqrt(k * sizeBase));
      fade_[k - 1] = 1 - std::sqrt(static_cast<double>(k) / length);
    }
  }
  float Size(uint32_t k) const { return size_[k - 1]; }
  double Fade(uint32_t k) const { return fade_[k - 1]; }

 private:
  double density_;
  uint32_t length_ = 0;
  float size_[kMaxPoints];
  double fade_[kMaxPoints];
};

// The frame vectors lie in the slot as the three axes lie in the record,
// nine floats in a row after the position.
inline void WriteVertex(VertexRecord& v, const PointSlot& point, float size, const uint8_t rgba[4]) {
#if CORVANE_SSE2
  int32_t colorBits;
  std::memcpy(&colorBits, rgba, 4);
  auto* out = reinterpret_cast<char*>(&v);
  const __m128 s = _mm_set1_ps(size);
  const __m128 xy = _mm_cvtpd_ps(_mm_loadu_pd(point.position));
  const __m128 z = _mm_cvtsd_ss(_mm_setzero_ps(), _mm_load_sd(point.position + 2));
  _mm_storeu_ps(reinterpret_cast<float*>(out), _mm_movelh_ps(xy, z));  // its fourth float is overwritten next
  _mm_storeu_ps(reinterpret_cast<float*>(out + 12), _mm_mul_ps(_mm_loadu_ps(point.frame), s));
  _mm_storeu_ps(reinterpret_cast<float*>(out + 28), _mm_mul_ps(_mm_loadu_ps(point.frame + 4), s));
  const __m128 last = _mm_unpacklo_ps(_mm_mul_ss(_mm_load_ss(point.frame + 8), s),
                                      _mm_castsi128_ps(_mm_cvtsi32_si128(colorBits)));
  _mm_storel_pi(reinterpret_cast<__m64*>(out + 44), last);
#else
  for (int a = 0; a < 3; ++a) v.position[a] = static_cast<float>(point.position[a]);
  for (int a = 0; a < 3; ++a) {
    v.axis1[a] = point.frame[a] * size;
    v.axis2[a] = point.frame[3 + a] * size;
    v.axis3[a] = point.frame[6 + a] * size;
  }
  std::memcpy(v.color, rgba, 4);
#endif
}

template <class Distance>
uint32_t BuildLines(const MakeJob& job, Distance distance) {
  const double* s = job.state;
  const long double intensity = s[state::kIntensity];
  AlongLine along(s[state::kDensity]);
  uint32_t n = 0;
  for (uint32_t i = job.firstLine; i <= job.lastLine; ++i) {
    const LineRecord& record = job.records[i - 1];
    // The figure keeps lengths within the ring; a longer one is not a line.
    if (record.length == kFreeLine || record.length == 0 || record.length > kMaxPoints) continue;
    const uint32_t length = record.length;
    const long double f = RelativeAge(i, job.newestLine, job.lineCount);
    uint8_t color[4];
    for (int c = 0; c < 3; ++c) {
      const double* w = s + state::kColors + 3 * c;
      const float value = ToColorFloat((w[0] * f + w[1] * (1 - f) + w[2]) * 255);
      color[c] = static_cast<uint8_t>(RoundToInt32(value));
    }
    const double alphaBase = ToColorFloat((1 - f) * intensity * 255);
    along.Prepare(length);

    const PointSlot* ring = job.rings + (i - 1) * size_t{kMaxPoints};
    // The next ring is fetched while this one is built: the slots are
    // read backwards with a wrap, which the hardware does not foresee.
    const PointSlot* nextRing = i < job.lastLine ? ring + kMaxPoints : ring;
    uint32_t position = record.head;
    // From the newest point backwards: the solids grow and fade to the tail.
    for (uint32_t k = 1; k <= length; ++k) {
      PrefetchLine(nextRing + (k - 1));
      const PointSlot& point = ring[position - 1];
      position = position == 1 ? kMaxPoints : position - 1;
      const int32_t d = distance(point.position);
      if (d > 0) continue;  // behind the camera
      if (n < job.capacity) {
        job.keys[n] = d;
        color[3] = static_cast<uint8_t>(RoundToInt32(along.Fade(k) * alphaBase));
        WriteVertex(job.vertices[n], point, along.Size(k), color);
      }
      ++n;
    }
  }
  return n;
}

}  // namespace

uint32_t BuildVertices(const MakeJob& job) {
  if (job.firstLine == 0 || job.lastLine < job.firstLine) return 0;
  const EyeDistanceRoutine routine = EyeDistanceKernel();
#if CORVANE_SSE2
  if (routine == EyeDistanceSSE2) return BuildLines(job, EyeDistanceSSE2Camera(*job.camera));
#endif
  return BuildLines(job, [routine, &camera = *job.camera](const double p[3]) { return routine(camera, p); });
}

// Vertex numbers stay below 2^24, which leaves the top byte of an entry
// free: each pass stores there the key byte that the next pass sorts by, so
// the next pass reads its entries in sequence instead of the keys at random.
constexpr uint32_t kVertexBits = 24;
constexpr uint32_t kVertexMask = (1u << kVertexBits) - 1;
static_assert(uint64_t{kMaxLines} * kMaxPoints <= kVertexMask, "every vertex number fits below the carried byte");

namespace {

uint32_t ByteOf(int32_t key, int b) { return (static_cast<uint32_t>(key) >> (8 * b)) & 0xFF; }

// One pass: entry(j) gives the byte to sort the j-th entry by and the entry
// to store; each is placed at its byte's running position.
template <class Entry>
void Scatter(uint32_t count, uint32_t* positions, uint32_t* out, Entry entry) {
  for (uint32_t j = 0; j < count; ++j) {
    const auto [byte, value] = entry(j);
    out[positions[byte]++] = value;
  }
}

}  // namespace

void SortByKeys(const int32_t* keys, uint32_t count, uint32_t* order, uint32_t* scratch) {
  if (count < 2) {
    if (count == 1) order[0] = 1;
    return;
  }
  uint32_t all = ~0u, any = 0;
  for (uint32_t j = 0; j < count; ++j) {
    all &= static_cast<uint32_t>(keys[j]);
    any |= static_cast<uint32_t>(keys[j]);
  }
  const uint32_t varying = all ^ any;
  if (varying == 0) {
    for (uint32_t j = 0; j < count; ++j) order[j] = j + 1;
    return;
  }
  // Eye distances of one figure differ within their low 16 bits: then a
  // single counting pass places every vertex, the scratch buffer holding a
  // running position per value between the least and the largest possible.
  const uint32_t lowest = all & 0xFFFF, span = (any & 0xFFFF) - lowest + 1;
  if (varying <= 0xFFFF && span <= count) {
    std::memset(scratch, 0, span * sizeof *scratch);
    for (uint32_t j = 0; j < count; ++j) ++scratch[(static_cast<uint32_t>(keys[j]) & 0xFFFF) - lowest];
    for (uint32_t v = 0, sum = 0; v < span; ++v) {
      const uint32_t c = scratch[v];
      scratch[v] = sum;
      sum += c;
    }
    for (uint32_t j = 0; j < count; ++j) order[scratch[(static_cast<uint32_t>(keys[j]) & 0xFFFF) - lowest]++] = j + 1;
    return;
  }
  // Otherwise passes by byte from the least significant one, skipping the
  // bytes that all keys share (they would leave the order as it is).
  int passes[4];
  int passCount = 0;
  for (int b = 0; b < 4; ++b)
    if (ByteOf(static_cast<int32_t>(varying), b) != 0) passes[passCount++] = b;
  uint32_t histogram[4][256] = {};
  for (uint32_t j = 0; j < count; ++j)
    for (int p = 0; p < passCount; ++p) ++histogram[p][ByteOf(keys[j], passes[p])];
  for (int p = 0; p < passCount; ++p)
    for (uint32_t v = 0, sum = 0; v < 256; ++v) {
      const uint32_t c = histogram[p][v];
      histogram[p][v] = sum;
      sum += c;
    }
  // The buffers alternate so that the last pass writes the order.
  uint32_t* out = passCount % 2 == 1 ? order : scratch;
  uint32_t* in = nullptr;
  for (int p = 0; p < passCount; ++p) {
    uint32_t* positions = histogram[p];
    const bool last = p + 1 == passCount;
    const int nextByte = last ? 0 : passes[p + 1];
    const uint32_t carryMask = last ? 0 : 0xFF;
    if (p == 0) {
      const int b = passes[0];
      Scatter(count, positions, out, [=](uint32_t j) {
        const int32_t key = keys[j];
        return std::pair{ByteOf(key, b), (j + 1) | (ByteOf(key, nextByte) & carryMask) << kVertexBits};
      });
    } else if (last) {
      Scatter(count, positions, out, [=](uint32_t j) { return std::pair{in[j] >> kVertexBits, in[j] & kVertexMask}; });
    } else {
      Scatter(count, positions, out, [=](uint32_t j) {
        const uint32_t vertex = in[j] & kVertexMask;
        return std::pair{in[j] >> kVertexBits, vertex | ByteOf(keys[vertex - 1], nextByte) << kVertexBits};
      });
    }
    in = out;
    out = out == order ? scratch : order;
  }
}

}  // namespace corvane
