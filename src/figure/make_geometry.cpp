#include "figure/make_geometry.h"

#include <cmath>
#include <cstring>

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

uint32_t BuildVertices(const MakeJob& job) {
  if (job.firstLine == 0 || job.lastLine < job.firstLine) return 0;
  const EyeDistanceRoutine distance = EyeDistanceKernel();
  const double* s = job.state;
  const long double intensity = s[state::kIntensity];
  const double density = s[state::kDensity];
  const Matrix4& camera = *job.camera;
  uint32_t n = 0;
  for (uint32_t i = job.firstLine; i <= job.lastLine; ++i) {
    const LineRecord& record = job.records[i - 1];
    if (record.length == kFreeLine || record.length == 0) continue;
    const uint32_t length = record.length;
    const long double f = RelativeAge(i, job.newestLine, job.lineCount);
    uint8_t color[4];
    for (int c = 0; c < 3; ++c) {
      const double* w = s + state::kColors + 3 * c;
      const float value = ToColorFloat((w[0] * f + w[1] * (1 - f) + w[2]) * 255);
      color[c] = static_cast<uint8_t>(RoundToInt32(value));
    }
    const double alphaBase = ToColorFloat((1 - f) * intensity * 255);
    const double sizeBase = length * density;

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
      const int32_t d = distance(camera, point.position);
      if (d > 0) continue;  // behind the camera
      if (n < job.capacity) {
        job.keys[n] = d;
        VertexRecord& v = job.vertices[n];
        for (int a = 0; a < 3; ++a) v.position[a] = static_cast<float>(point.position[a]);
        const float size = static_cast<float>(std::sqrt(k * sizeBase));
        for (int a = 0; a < 3; ++a) {
          v.axis1[a] = point.frame[a] * size;
          v.axis2[a] = point.frame[3 + a] * size;
          v.axis3[a] = point.frame[6 + a] * size;
        }
        std::memcpy(v.color, color, 3);
        v.color[3] = static_cast<uint8_t>(
            RoundToInt32((1 - std::sqrt(static_cast<double>(k) / length)) * alphaBase));
      }
      ++n;
    }
  }
  return n;
}

void SortByKeys(const int32_t* keys, uint32_t count, uint32_t* order, uint32_t* scratch) {
  if (count < 2) {
    if (count == 1) order[0] = 1;
    return;
  }
  auto byteOf = [keys](uint32_t index, int b) { return (static_cast<uint32_t>(keys[index]) >> (8 * b)) & 0xFF; };
  uint32_t histogram[4][256] = {};
  for (uint32_t j = 0; j < count; ++j) {
    const uint32_t key = static_cast<uint32_t>(keys[j]);
    ++histogram[0][key & 0xFF];
    ++histogram[1][(key >> 8) & 0xFF];
    ++histogram[2][(key >> 16) & 0xFF];
    ++histogram[3][key >> 24];
  }
  // Passes run from the least significant byte; a byte that all keys share
  // would leave the order as it is, so its pass is skipped.
  const uint32_t* current = nullptr;  // nullptr: still 1..count
  uint32_t* buffers[2] = {scratch, order};
  int executed = 0;
  for (int b = 0; b < 4; ++b) {
    uint32_t* next = histogram[b];
    if (next[byteOf(0, b)] == count) continue;
    for (uint32_t v = 0, sum = 0; v < 256; ++v) {
      const uint32_t c = next[v];
      next[v] = sum;
      sum += c;
    }
    uint32_t* out = buffers[executed % 2];
    if (current == nullptr) {
      for (uint32_t j = 0; j < count; ++j) out[next[byteOf(j, b)]++] = j + 1;
    } else {
      for (uint32_t j = 0; j < count; ++j) {
        const uint32_t vertex = current[j];
        out[next[byteOf(vertex - 1, b)]++] = vertex;
      }
    }
    current = out;
    ++executed;
  }
  if (current == nullptr) {
    for (uint32_t j = 0; j < count; ++j) order[j] = j + 1;
  } else if (current != order) {
    std::memcpy(order, current, count * sizeof *order);
  }
}

}  // namespace corvane
