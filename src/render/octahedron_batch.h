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

inline void PrefetchRecord(const VertexRecord* record) {
#if defined(_MSC_VER) && !defined(__clang__)
  _mm_prefetch(reinterpret_cast<const char*>(record), _MM_HINT_T0);
  _mm_prefetch(reinterpret_cast<const char*>(record) + 51, _MM_HINT_T0);
#else
  __builtin_prefetch(record);
  __builtin_prefetch(reinterpret_cast<const char*>(record) + 51);  // a record may span two lines
#endif
}

// Merges the two lists by key into one drawing order and expands every
// record into the batch; `draw(n)` is called with the number of octahedra
// each time the batch is full and once for the rest. Farthest first
// (ascending keys, equal keys: list 1 first) unless `nearestFirst`, which
// walks both lists from their ends (equal keys: list 2 first).
template <typename Draw>
void ComposeOctahedra(const MakerList& list1, const MakerList& list2, bool nearestFirst, OctahedronBatch& batch,
                      Draw&& draw) {
  // Cursors are 0-based here; a list is finished when its cursor leaves
  // 0..count-1.
  const int64_t step = nearestFirst ? -1 : 1;
  int64_t i = nearestFirst ? int64_t{list1.count} - 1 : 0;
  int64_t j = nearestFirst ? int64_t{list2.count} - 1 : 0;
  auto live = [](int64_t cursor, const MakerList& list) { return cursor >= 0 && cursor < int64_t{list.count}; };
  // Records come in key order, scattered in memory: fetch a few ahead.
  constexpr int64_t kAhead = 8;
  auto prefetch = [&](const MakerList& list, int64_t cursor) {
    int64_t ahead = cursor + step * kAhead;
    if (live(ahead, list)) PrefetchRecord(&list.vertices[list.order[ahead] - 1]);
  };

  int n = 0;
  auto take = [&](const MakerList& list, int64_t& cursor) {
    prefetch(list, cursor);
    ExpandOctahedron(list.vertices[list.order[cursor] - 1], n, batch);
    cursor += step;
    if (++n == kBatchSize) {
      draw(n);
      n = 0;
    }
  };

  while (live(i, list1) && live(j, list2)) {
    int32_t a = list1.keys[list1.order[i] - 1];
    int32_t b = list2.keys[list2.order[j] - 1];
    bool second = nearestFirst ? a <= b : a > b;
    if (second)
      take(list2, j);
    else
      take(list1, i);
  }
  while (live(i, list1)) take(list1, i);
  while (live(j, list2)) take(list2, j);
  if (n > 0) draw(n);
}

}  // namespace corvane
