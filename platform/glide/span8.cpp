// span8.cpp - the show's pixel path (span_lanes.h) eight pixels at a time
// with AVX2, for the processors that have it. The library itself is built
// for SSE2: only the functions defined below the target options are compiled
// for AVX2, and they are reached only through span8_function, which asks the
// processor first. Lanes k and k + 4 share a dither column.
#include "dither.h"
#include "raster.h"

#include <lumivex_glide.h>

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

struct Avx2 {
    using I = __m256i;
    using F = __m256;
    static constexpr int W = 8;

    static I set1(int32_t v) { return _mm256_set1_epi32(v); }
    static I lanes(uint32_t first, uint32_t step)
    {
        return _mm256_add_epi32(
            _mm256_set1_epi32((int32_t)first),
            _mm256_mullo_epi32(_mm256_set1_epi32((int32_t)step), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)));
    }
    static I load(const int32_t *v) { return _mm256_loadu_si256((const __m256i *)v); }
    static I add(I a, I b) { return _mm256_add_epi32(a, b); }
    static I sub(I a, I b) { return _mm256_sub_epi32(a, b); }
    static I band(I a, I b) { return _mm256_and_si256(a, b); }
    static I bor(I a, I b) { return _mm256_or_si256(a, b); }
    static I andnot(I a, I b) { return _mm256_andnot_si256(a, b); }
    template <int N> static I srli(I a) { return _mm256_srli_epi32(a, N); }
    template <int N> static I slli(I a) { return _mm256_slli_epi32(a, N); }
    static I gt(I a, I b) { return _mm256_cmpgt_epi32(a, b); }
    static I eq(I a, I b) { return _mm256_cmpeq_epi32(a, b); }
    static I select(I mask, I a, I b) { return _mm256_blendv_epi8(b, a, mask); }
    static bool any(I mask) { return !_mm256_testz_si256(mask, mask); }
    static I mul15(I a, I b) { return _mm256_madd_epi16(a, b); }  // the high halves are zero
    static I add16(I a, I b) { return _mm256_add_epi16(a, b); }
    static I sub16(I a, I b) { return _mm256_sub_epi16(a, b); }
    static I mullo16(I a, I b) { return _mm256_mullo_epi16(a, b); }
    static I mulhi16(I a, I b) { return _mm256_mulhi_epu16(a, b); }
    template <int N> static I srli16(I a) { return _mm256_srli_epi16(a, N); }
    static I clamp16(I a, int16_t hi)
    {
        return _mm256_min_epi16(_mm256_max_epi16(a, _mm256_setzero_si256()), _mm256_set1_epi16(hi));
    }
    static F fset1(float v) { return _mm256_set1_ps(v); }
    static F fadd(F a, F b) { return _mm256_add_ps(a, b); }
    static F fmul(F a, F b) { return _mm256_mul_ps(a, b); }
    static F fdiv(F a, F b) { return _mm256_div_ps(a, b); }
    static F to_float(I a) { return _mm256_cvtepi32_ps(a); }
    static I bits(F a) { return _mm256_castps_si256(a); }

    static I load_depth(const uint16_t *p)
    {
        return _mm256_cvtepu16_epi32(_mm_loadu_si128((const __m128i *)p));
    }
    // The low halves of v (the pack saturates: v must be below 65536), in
    // lane order: the pack works within 128-bit halves, the permute puts the
    // quarters back.
    static void store16(uint16_t *p, I mask, I v)
    {
        const __m128i mask16 =
            _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packs_epi32(mask, mask), 0x08));
        const __m128i v16 = _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi32(v, v), 0x08));
        __m128i *out = (__m128i *)p;
        _mm_storeu_si128(out, _mm_blendv_epi8(_mm_loadu_si128(out), v16, mask16));
    }
    static void store32(uint32_t *p, I mask, I v)
    {
        __m256i *out = (__m256i *)p;
        _mm256_storeu_si256(out, _mm256_blendv_epi8(_mm256_loadu_si256(out), v, mask));
    }
    // A quad per lane, loaded as the four-pixel loop does (a gather is slow
    // on some processors): pixels k and k + 4 share a register, so the 4x4
    // transposes, which work within 128-bit halves, leave the pixels in order.
    static void fetch_quads(const uint32_t *base, I index, I *t00, I *t10, I *t01, I *t11)
    {
        alignas(32) int32_t at[8];
        _mm256_store_si256((__m256i *)at, index);
        auto quads = [&](int k) {
            const __m128i low = _mm_loadu_si128((const __m128i *)(base + at[k]));
            return _mm256_inserti128_si256(_mm256_castsi128_si256(low),
                                           _mm_loadu_si128((const __m128i *)(base + at[k + 4])), 1);
        };
        const I q0 = quads(0), q1 = quads(1), q2 = quads(2), q3 = quads(3);
        const I a = _mm256_unpacklo_epi32(q0, q1), b = _mm256_unpacklo_epi32(q2, q3);  // t00 t00 t01 t01
        const I c = _mm256_unpackhi_epi32(q0, q1), d = _mm256_unpackhi_epi32(q2, q3);  // t10 t10 t11 t11
        *t00 = _mm256_unpacklo_epi64(a, b);
        *t01 = _mm256_unpackhi_epi64(a, b);
        *t10 = _mm256_unpacklo_epi64(c, d);
        *t11 = _mm256_unpackhi_epi64(c, d);
    }
};

SpanFunction avx2_function(CombineMode combine, bool mixed_levels, PixelFormat format)
{
    return lanes_function<Avx2>(combine, mixed_levels, format);
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

SpanFunction span8_function(CombineMode combine, bool mixed_levels, PixelFormat format)
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 ? avx2_function(combine, mixed_levels, format) : nullptr;
}

#else

SpanFunction span8_function(CombineMode, bool, PixelFormat)
{
    return nullptr;
}

#endif
