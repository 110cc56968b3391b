#pragma once
// One maker's job: turn a range of the figure's lines into vertex records
// for the camera, and order them far to near.

#include <cstdint>

#include "figure/figure.h"
#include "figure/geometry.h"
#include "figure/matrix4.h"

namespace corvane {

struct MakeJob {
  uint32_t firstLine = 0;  // inclusive range of 1-based line slots
  uint32_t lastLine = 0;
  uint32_t lineCount = 0;   // slots in use in the whole figure (for the ages)
  uint32_t newestLine = 0;
  const double* state = nullptr;  // the figure's state block
  const Matrix4* camera = nullptr;
  const LineRecord* records = nullptr;
  const PointSlot* rings = nullptr;
  VertexRecord* vertices = nullptr;
  int32_t* keys = nullptr;
  uint32_t* order = nullptr;
  uint32_t* scratch = nullptr;
  uint32_t capacity = 0;  // vertices, keys, order and scratch hold this many
};

// The job for line slots first..last of `figure`; the output buffers are
// the caller's to fill in.
MakeJob FigureJob(const Figure& figure, uint32_t firstLine, uint32_t lastLine, const Matrix4* camera);

// Builds the vertices of the job's lines: points behind the camera are
// culled; colour and opacity follow the age of the line, solids grow and
// fade towards the tail. Returns the number of points kept; only the first
// `capacity` of them are written, so a count above it means the figure and
// the buffers disagree.
uint32_t BuildVertices(const MakeJob& job);

// Stable LSD radix sort of the 1-based vertex numbers 1..count by their
// keys read as unsigned numbers (the farthest first). The result is in
// `order`; `scratch` is overwritten. count stays below 2^24, as the figure's
// points do.
void SortByKeys(const int32_t* keys, uint32_t count, uint32_t* order, uint32_t* scratch);

}  // namespace corvane
