#pragma once
// The two hot routines of the figure, each in a plain and an SSE2 variant:
// the sine of the emitter's path and the signed eye distance of a point.
// Start-up picks one variant of each by the processor's capability level;
// the calculation thread and the makers then only read the choice.

#include <cstdint>

#include "figure/matrix4.h"
#include "figure/x86.h"

namespace corvane {

using SineRoutine = double (*)(double);
using EyeDistanceRoutine = int32_t (*)(const Matrix4& m, const double p[3]);

// Any sine accurate to double precision.
double SinScalar(double x);
#if CORVANE_SSE2
// Table-driven cosine series of x - pi/2 after reduction by 2 pi; within
// 1e-8 of the exact sine, and within [-1, 1] for every finite argument.
double FastSin(double x);
#endif

// sqrt(X^2 + Y^2 + Z^2) of the point in the camera's frame, rounded (ties
// to even), negative when the point lies in front of the camera (Z < 0).
// A distance beyond the int32 range or not a number becomes +/-2^31-1; a
// NaN distance counts as behind the camera, so such points are never drawn.
int32_t EyeDistanceScalar(const Matrix4& m, const double p[3]);
#if CORVANE_SSE2
int32_t EyeDistanceSSE2(const Matrix4& m, const double p[3]);
#endif

// The SSE2 variants from level 4 on, the plain ones below (and before any
// selection). Call before the worker threads start.
void SelectKernels(uint32_t cpuLevel);
// SelectKernels(CpuLevel()).
void InitNumericKernels();

SineRoutine PathSine();
EyeDistanceRoutine EyeDistanceKernel();
inline int32_t EyeDistance(const Matrix4& m, const double p[3]) { return EyeDistanceKernel()(m, p); }

}  // namespace corvane
