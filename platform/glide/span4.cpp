// span4.cpp - the show's pixel path (span_lanes.h) four pixels at a time with
// SSE2, part of every x86-64 processor and required of 32-bit builds.
#include "dither.h"
#include "raster.h"

#include <lumivex_glide.h>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>

#include "span_lanes.h"

namespace {

struct Sse2 {
    using I = __m128i;
    using F = __m128;
    static constexpr int W = 4;

    static I set1(int32_t v) { return _mm_set1_epi32(v); }
    static I lanes(uint32_t first, uint32_t step) {
        return _mm_setr_epi32((int32_t)first, (int32_t)(first + step), (int32_t)(first + 2 * step),
                              (int32_t)(first + 3 * step));
    }
    static I load(const int32_t *v) { return _mm_loadu_si128((const __m128i *)v); }
    static I add(I a, I b) { return _mm_add_epi32(a, b); }
    static I sub(I a, I b) { return _mm_sub_epi32(a, b); }
    static I band(I a, I b) { return _mm_and_si128(a, b); }
    static I bor(I a, I b) { return _mm_or_si128(a, b); }
    static I andnot(I a, I b) { return _mm_andnot_si128(a, b); }
    template <int N> static I srli(I a) { return _mm_srli_epi32(a, N); }
    template <int N> static I slli(I a) { return _mm_slli_epi32(a, N); }
    static I gt(I a, I b) { return _mm_cmpgt_epi32(a, b); }
    static I eq(I a, I b) { return _mm_cmpeq_epi32(a, b); }
    static I select(I mask, I a, I b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }
    static bool any(I mask) { return _mm_movemask_epi8(mask) != 0; }
    static I mul15(I a, I b) { return _mm_madd_epi16(a, b); }  // the high halves are zero
    static I add16(I a, I b) { return _mm_add_epi16(a, b); }
    static I sub16(I a, I b) { return _mm_sub_epi16(a, b); }
    static I mullo16(I a, I b) { return _mm_mullo_epi16(a, b); }
    static I mulhi16(I a, I b) { return _mm_mulhi_epu16(a, b); }
    template <int N> static I srli16(I a) { return _mm_srli_epi16(a, N); }
    static I clamp16(I a, int16_t hi) { return _mm_min_epi16(_mm_max_epi16(a, _mm_setzero_si128()), _mm_set1_epi16(hi)); }
    static F fset1(float v) { return _mm_set1_ps(v); }
    static F fadd(F a, F b) { return _mm_add_ps(a, b); }
    static F fmul(F a, F b) { return _mm_mul_ps(a, b); }
    static F fdiv(F a, F b) { return _mm_div_ps(a, b); }
    static F to_float(I a) { return _mm_cvtepi32_ps(a); }
    static I bits(F a) { return _mm_castps_si128(a); }

    static I load_depth(const uint16_t *p) {
        return _mm_unpacklo_epi16(_mm_loadl_epi64((const __m128i *)p), _mm_setzero_si128());
    }
    // The low halves of v, sign-extended so that the saturating pack keeps them.
    static void store16(uint16_t *p, I mask, I v) {
        v = _mm_srai_epi32(_mm_slli_epi32(v, 16), 16);
        const I mask16 = _mm_packs_epi32(mask, mask);
        __m128i *out = (__m128i *)p;
        _mm_storel_epi64(out, select(mask16, _mm_packs_epi32(v, v), _mm_loadl_epi64(out)));
    }
    static void store32(uint32_t *p, I mask, I v) {
        __m128i *out = (__m128i *)p;
        _mm_storeu_si128(out, select(mask, v, _mm_loadu_si128(out)));
    }
    static void fetch_pairs(const uint32_t *base, I index, I *first, I *second) {
        alignas(16) int32_t at[4];
        _mm_store_si128((__m128i *)at, index);
        auto pair = [&](int k) { return _mm_loadl_epi64((const __m128i *)(base + at[k])); };
        const F p01 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(0), pair(1)));
        const F p23 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(2), pair(3)));
        *first = _mm_castps_si128(_mm_shuffle_ps(p01, p23, _MM_SHUFFLE(2, 0, 2, 0)));
        *second = _mm_castps_si128(_mm_shuffle_ps(p01, p23, _MM_SHUFFLE(3, 1, 3, 1)));
    }
};

}  // namespace

SpanFunction span4_function(CombineMode combine, bool mixed_levels, PixelFormat format) {
    return lanes_function<Sse2>(combine, mixed_levels, format);
}

#else

SpanFunction span4_function(CombineMode, bool, PixelFormat) {
    return nullptr;
}

#endif
