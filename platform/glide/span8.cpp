// span8.cpp - the show's pixel path (span_lanes.h) eight pixels at a time
// with AVX2, for the processors that have it. The library itself is built
// for SSE2: only the functions defined below the target options are compiled
// for AVX2, and they are reached only through span8_loops, which asks the
// processor first. Lanes k and k + 4 share a dither column.
#include "raster.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

// Both compilers' ways of giving every function that follows the target.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "span_lanes.h"

namespace {

// What AVX2 does better than the portable forms.
struct Avx2 : VectorLanes<8> {
    static __m256i m(I a) { return (__m256i)a; }
    static bool any(I mask) { return !_mm256_testz_si256(m(mask), m(mask)); }
    static bool all(I mask) { return _mm256_testc_si256(m(mask), _mm256_set1_epi32(-1)); }
    static I mul15(I a, I b) { return (I)_mm256_madd_epi16(m(a), m(b)); }  // the high halves are zero
    static I mulhi16(I a, I b) { return (I)_mm256_mulhi_epu16(m(a), m(b)); }
    static I byte1_twice(I a)
    {
        const __m256i spread = _mm256_setr_epi8(1, -1, 1, -1, 5, -1, 5, -1, 9, -1, 9, -1, 13, -1, 13, -1,  //
                                                1, -1, 1, -1, 5, -1, 5, -1, 9, -1, 9, -1, 13, -1, 13, -1);
        return (I)_mm256_shuffle_epi8(m(a), spread);
    }
    static I load_depth(const uint16_t *p)
    {
        return (I)_mm256_cvtepu16_epi32(_mm_loadu_si128((const __m128i *)p));
    }
    // The low halves of v, in lane order: the shuffle gathers them within
    // 128-bit halves, the permute puts the quarters back. Most groups are
    // whole: they need not read what they cover.
    static void store16(uint16_t *p, I mask, I v)
    {
        const __m256i low_halves = _mm256_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1,
                                                    0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1);
        __m128i v16 =
            _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_shuffle_epi8(m(v), low_halves), 0x08));
        __m128i *out = (__m128i *)p;
        if (!all(mask)) {
            const __m128i mask16 =
                _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packs_epi32(m(mask), m(mask)), 0x08));
            v16 = _mm_blendv_epi8(_mm_loadu_si128(out), v16, mask16);
        }
        _mm_storeu_si128(out, v16);
    }
    static void store32(uint32_t *p, I mask, I v)
    {
        __m256i *out = (__m256i *)p;
        _mm256_storeu_si256(out,
                            all(mask) ? m(v) : _mm256_blendv_epi8(_mm256_loadu_si256(out), m(v), m(mask)));
    }
};

void avx2_loops(SpanTable &table)
{
    lanes_loops<Avx2>(table);
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

bool span8_loops(SpanTable &table)
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        avx2_loops(table);
    return avx2;
}

#else

bool span8_loops(SpanTable &)
{
    return false;
}

#endif
