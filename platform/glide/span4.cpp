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
    static I lanes(uint32_t first, uint32_t step)
    {
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
    static I select(I mask, I a, I b)
    {
        return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
    }
    static bool any(I mask) { return _mm_movemask_epi8(mask) != 0; }
    static I mul15(I a, I b) { return _mm_madd_epi16(a, b); }  // the high halves are zero
    static I add16(I a, I b) { return _mm_add_epi16(a, b); }
    static I sub16(I a, I b) { return _mm_sub_epi16(a, b); }
    static I mullo16(I a, I b) { return _mm_mullo_epi16(a, b); }
    static I mulhi16(I a, I b) { return _mm_mulhi_epu16(a, b); }
    template <int N> static I srli16(I a) { return _mm_srli_epi16(a, N); }
    static I clamp16(I a, int16_t hi)
    {
        return _mm_min_epi16(_mm_max_epi16(a, _mm_setzero_si128()), _mm_set1_epi16(hi));
    }
    static F fset1(float v) { return _mm_set1_ps(v); }
    static F fadd(F a, F b) { return _mm_add_ps(a, b); }
    static F fmul(F a, F b) { return _mm_mul_ps(a, b); }
    static F fdiv(F a, F b) { return _mm_div_ps(a, b); }
    static F to_float(I a) { return _mm_cvtepi32_ps(a); }
    static I bits(F a) { return _mm_castps_si128(a); }

    static I load_depth(const uint16_t *p)
    {
        return _mm_unpacklo_epi16(_mm_loadl_epi64((const __m128i *)p), _mm_setzero_si128());
    }
    // The low halves of v, sign-extended so that the saturating pack keeps them.
    static void store16(uint16_t *p, I mask, I v)
    {
        v = _mm_srai_epi32(_mm_slli_epi32(v, 16), 16);
        const I mask16 = _mm_packs_epi32(mask, mask);
        __m128i *out = (__m128i *)p;
        _mm_storel_epi64(out, select(mask16, _mm_packs_epi32(v, v), _mm_loadl_epi64(out)));
    }
    static void store32(uint32_t *p, I mask, I v)
    {
        __m128i *out = (__m128i *)p;
        _mm_storeu_si128(out, select(mask, v, _mm_loadu_si128(out)));
    }
    // A quad per lane, then the 4x4 transpose of the four quads.
    static void fetch_quads(const uint32_t *base, I index, I *t00, I *t10, I *t01, I *t11)
    {
        alignas(16) int32_t at[4];
        _mm_store_si128((__m128i *)at, index);
        auto quad = [&](int k) { return _mm_loadu_si128((const __m128i *)(base + at[k])); };
        const I q0 = quad(0), q1 = quad(1), q2 = quad(2), q3 = quad(3);
        const I a = _mm_unpacklo_epi32(q0, q1), b = _mm_unpacklo_epi32(q2, q3);  // t00 t00 t01 t01
        const I c = _mm_unpackhi_epi32(q0, q1), d = _mm_unpackhi_epi32(q2, q3);  // t10 t10 t11 t11
        *t00 = _mm_unpacklo_epi64(a, b);
        *t01 = _mm_unpackhi_epi64(a, b);
        *t10 = _mm_unpacklo_epi64(c, d);
        *t11 = _mm_unpackhi_epi64(c, d);
    }
};

}  // namespace

SpanFunction span4_function(CombineMode combine, bool mixed_levels, PixelFormat format)
{
    return lanes_function<Sse2>(combine, mixed_levels, format);
}

#else

SpanFunction span4_function(CombineMode, bool, PixelFormat)
{
    return nullptr;
}

#endif
