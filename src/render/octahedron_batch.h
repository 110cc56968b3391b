#pragma once
// The processor side of drawing the figure: the two makers' depth-sorted
// lists merged into one order and expanded, record by record, into small
// octahedra in fixed batch arrays. The caller draws each full batch.

#include <array>
#include <cstdint>
#include <cstring>

#include "figure/geometry.h"

#if defined(_MSC_VER) && !defined(__clang__)
#include <xmmintrin.h>
#endif

namespace corvane {

inline constexpr int kBatchSize = 64;  // octahedra per draw call
inline constexpr int kIndicesPerOctahedron = 24;
inline constexpr int kVerticesPerOctahedron = 6;

struct OctahedronBatch {
  OctahedronBatch();  // fills the index array, which never changes

  std::array<uint16_t, kBatchSize * kIndicesPerOctahedron> indices;
  std::array<uint8_t, kBatchSize * kVerticesPerOctahedron * 4> colors;
  std::array<float, kBatchSize * kVerticesPerOctahedron * 3> vertices;
};

// One maker's list: records, keys and the 1-based drawing order.
struct MakerList {
  const VertexRecord* vertices = nullptr;
  const int32_t* keys = nullptr;
  const uint32_t* order = nullptr;
  uint32_t count = 0;
};

inline MakerList FirstMakerList(const MakeResult& r) { return {r.vertices1, r.keys1, r.order1, r.count1}; }
inline MakerList SecondMakerList(const MakeResult& r) { return {r.vertices2, r.keys2, r.order2, r.count2}; }

// Writes the octahedron of `record` into batch position `slot`: vertices
// p+a, p+b, p+c, p-b, p-c, p-a, all in the record's colour.
inline void ExpandOctahedron(const VertexRecord& record, int slot, OctahedronBatch& batch) {
  float* v = &batch.vertices[static_cast<size_t>(slot) * kVerticesPerOctahedron * 3];
  const float* p = record.position;
  for (int i = 0; i < 3; ++i) {
    v[0 + i] = p[i] + record.axis1[i];
    v[3 + i] = p[i] + record.axis2[i];
    v[6 + i] = p[i] + record.axis3[i];
    v[9 + i] = p[i] - record.axis2[i];
    v[12 + i] = p[i] - record.axis3[i];
    v[15 + i] = p[i] - record.axis1[i];
  }
  uint32_t color;
  static_assert(sizeof color == sizeof record.color);
  std::memcpy(&color, record.color, sizeof color);
  uint8_t* c = &batch.colors[static_cast<size_t>(slot) * kVerticesPerOctahedron * 4];
  for (int i = 0; i < kVerticesPerOctahedron; ++i) std::memcpy(c + 4 * i, &color, sizeof color);
}

// Forced inline: a function made of prefetches alone looks free of effects
// to the optimiser, which then drops the calls to it.
#if defined(_MSC_VER) && !defined(__clang__)
#define CORVANE_PREFETCH_INLINE __forceinline
#else
#define CORVANE_PREFETCH_INLINE inline __attribute__((always_inline))
#endif

CORVANE_PREFETCH_INLINE void PrefetchRecord(const VertexRecord* record) {
#if defined(_MSC_VER) && !defined(__clang__)
  _mm_prefetch(reinterpret_cast<const char*>(record), _MM_HINT_T0);
  _mm_prefetch(reinterpret_cast<const char*>(record) + 51, _MM_HINT_T0);
#else
  __builtin_prefetch(record);
  __builtin_prefetch(reinterpret_cast<const char*>(record) + 51);  // a record may span two lines
#endif
}

// One list's walk along its drawing order, forwards or backwards, with the
// key at the cursor at hand and the records and keys ahead requested early:
// they come in key order, scattered in memory.
class ListWalk {
 public:
  ListWalk(const MakerList& list, bool backwards)
      : list_(list), step_(backwards ? -1 : 1), left_(list.count), at_(backwards ? int64_t{list.count} - 1 : 0) {
    for (int64_t k = 0; k < kAhead && k < left_; ++k) Prefetch(at_ + step_ * k);
    if (left_ > 0) key_ = KeyAt(at_);
  }
  bool Live() const { return left_ > 0; }
  int32_t Key() const { return key_; }
  const VertexRecord& Take() {
    const VertexRecord& record = list_.vertices[list_.order[at_] - 1];
    if (left_ > kAhead) Prefetch(at_ + step_ * kAhead);
    at_ += step_;
    if (--left_ > 0) key_ = KeyAt(at_);
    return record;
  }

 private:
  static constexpr int64_t kAhead = 32;
  int32_t KeyAt(int64_t at) const { return list_.keys[list_.order[at] - 1]; }
  CORVANE_PREFETCH_INLINE void Prefetch(int64_t at) const {
    uint32_t record = list_.order[at] - 1;
    PrefetchRecord(&list_.vertices[record]);
    PrefetchRecord(reinterpret_cast<const VertexRecord*>(&list_.keys[record]));
  }

  MakerList list_;
  int64_t step_;
  int64_t left_;
  int64_t at_;
  int32_t key_ = 0;
};

// Merges the two lists by key into one drawing order and expands every
// record into the batch; `draw(n)` is called with the number of octahedra
// each time the batch is full and once for the rest. Farthest first
// (ascending keys, equal keys: list 1 first) unless `nearestFirst`, which
// walks both lists from their ends (equal keys: list 2 first).
template <typename Draw>
void ComposeOctahedra(const MakerList& list1, const MakerList& list2, bool nearestFirst, OctahedronBatch& batch,
                      Draw&& draw) {
  ListWalk walk1(list1, nearestFirst), walk2(list2, nearestFirst);
  int n = 0;
  auto take = [&](ListWalk& walk) {
    ExpandOctahedron(walk.Take(), n, batch);
    if (++n == kBatchSize) {
      draw(n);
      n = 0;
    }
  };
  if (nearestFirst) {
    while (walk1.Live() && walk2.Live()) take(walk1.Key() <= walk2.Key() ? walk2 : walk1);
  } else {
    while (walk1.Live() && walk2.Live()) take(walk1.Key() > walk2.Key() ? walk2 : walk1);
  }
  while (walk1.Live()) take(walk1);
  while (walk2.Live()) take(walk2);
  if (n > 0) draw(n);
}

}  // namespace corvane
