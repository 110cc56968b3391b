#pragma once
// What the geometry makers hand to the renderer: vertex records, their depth
// keys, and the back-to-front order of each maker's list.

#include <cstdint>

namespace corvane {

#pragma pack(push, 1)
struct VertexRecord {
  float position[3];
  float axis1[3];  // frame vectors of the point, scaled by the size factor
  float axis2[3];
  float axis3[3];
  uint8_t color[4];  // red, green, blue, alpha
};
#pragma pack(pop)
static_assert(sizeof(VertexRecord) == 52, "the vertex record is 52 bytes");

// The front geometry set after a make: per maker the vertices, the signed
// depth keys (key n belongs to vertex n) and the 1-based vertex numbers in
// drawing order (keys ascending as unsigned numbers: farthest first).
struct MakeResult {
  const VertexRecord* vertices1 = nullptr;
  const int32_t* keys1 = nullptr;
  const uint32_t* order1 = nullptr;
  const VertexRecord* vertices2 = nullptr;
  const int32_t* keys2 = nullptr;
  const uint32_t* order2 = nullptr;
  uint32_t count1 = 0;
  uint32_t count2 = 0;
};

}  // namespace corvane
