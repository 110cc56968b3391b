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

// A hint to fetch the cache line at p ahead of its use; nothing elsewhere.
#if CORVANE_X86
#include <xmmintrin.h>
inline void PrefetchLine(const void* p) { _mm_prefetch(static_cast<const char*>(p), _MM_HINT_T0); }
#else
inline void PrefetchLine(const void*) {}
#endif
