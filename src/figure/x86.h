#pragma once
// Which x86 facilities this compiler can reach; everything x86-specific in
// the figure layer sits behind these, so other targets still build.

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#define CORVANE_X86 1
#else
#define CORVANE_X86 0
#endif

// SSE2 code may be compiled (not necessarily run: CpuLevel decides that).
#if CORVANE_X86 && (defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2))
#define CORVANE_SSE2 1
#include <emmintrin.h>
#else
#define CORVANE_SSE2 0
#endif
