#include "render/octahedron_batch.h"

namespace corvane {

OctahedronBatch::OctahedronBatch() : colors{}, vertices{} {
  // Four faces around vertex 0 and four around vertex 5, counter-clockwise
  // from outside when the three half-axes form a right-handed frame.
  static constexpr uint16_t kPattern[kIndicesPerOctahedron] = {0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 1,
                                                               5, 2, 1, 5, 3, 2, 5, 4, 3, 5, 1, 4};
  for (int k = 0; k < kBatchSize; ++k)
    for (int j = 0; j < kIndicesPerOctahedron; ++j)
      indices[static_cast<size_t>(k * kIndicesPerOctahedron + j)] =
          static_cast<uint16_t>(kVerticesPerOctahedron * k + kPattern[j]);
}

}  // namespace corvane
