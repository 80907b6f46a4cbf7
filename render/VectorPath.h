// Which code the cull test and the colour lookup run: the portable one, or the one written for
// processors with AVX-512 (F, BW, VL, VBMI and VBMI2) and BMI2, which tests sixteen cells at a
// time and looks colours up sixty-four at a time. Both give the same results to the byte. (The
// tile blits have blitters of their own, chosen apart: see Blitter.h.)
#pragma once

namespace korvan {

enum class VectorPath { Portable, Avx512 };

bool Supports(VectorPath path);

// The path in use. It starts as the fastest the processor supports; KORVAN_VECTOR=portable in
// the environment chooses the portable one.
VectorPath ActiveVectorPath();

// Chooses a path for what follows; returns false, changing nothing, if the processor lacks it.
bool SetVectorPath(VectorPath path);

}  // namespace korvan

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVAN_HAS_AVX512_PATH 1
// Functions of the AVX-512 path are compiled for it one by one, so that nothing else in the
// program uses instructions the processor may lack.
#define KORVAN_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512vbmi,avx512vbmi2,popcnt,bmi2")))
#else
#define KORVAN_AVX512
#endif
