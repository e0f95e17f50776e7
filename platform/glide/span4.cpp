// span4.cpp - the show's pixel path (span_lanes.h) four pixels at a time with
// SSE2, part of every x86-64 processor and required of 32-bit builds.
#include "raster.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

#include "span_lanes.h"

namespace {

// What SSE2 does better than the portable forms.
struct Sse2 : VectorLanes<4> {
    static __m128i m(I a) { return (__m128i)a; }
    static bool any(I mask) { return _mm_movemask_epi8(m(mask)) != 0; }
    static I mul15(I a, I b) { return (I)_mm_madd_epi16(m(a), m(b)); }  // the high halves are zero
    static I mulhi16(I a, I b) { return (I)_mm_mulhi_epu16(m(a), m(b)); }
#if defined(__wasm_simd128__)
    // In a browser these are Emscripten's forms of the SSE2 instructions, and
    // byte shuffles do in one what takes them three or four.
    static I byte1_twice(I a)
    {
        return (I)wasm_i8x16_shuffle((v128_t)a, wasm_i32x4_splat(0), 1, 16, 1, 16, 5, 16, 5, 16, 9, 16, 9, 16,
                                     13, 16, 13, 16);
    }
    static void store16(uint16_t *p, I mask, I v)
    {
        const v128_t v16 =
            wasm_i8x16_shuffle((v128_t)v, (v128_t)v, 0, 1, 4, 5, 8, 9, 12, 13, 0, 1, 4, 5, 8, 9, 12, 13);
        const v128_t mask16 = wasm_i16x8_narrow_i32x4((v128_t)mask, (v128_t)mask);
        wasm_v128_store64_lane(p, wasm_v128_bitselect(v16, wasm_v128_load64_zero(p), mask16), 0);
    }
    // WebAssembly loads and widens in one instruction.
    static I load_depth(const uint16_t *p)
    {
        return (I)wasm_u32x4_load16x4(p);
    }
#else
    static I load_depth(const uint16_t *p)
    {
        return (I)_mm_unpacklo_epi16(_mm_loadl_epi64((const __m128i *)p), _mm_setzero_si128());
    }
    // The low halves of v, sign-extended so that the saturating pack keeps them.
    static void store16(uint16_t *p, I mask, I v)
    {
        const __m128i low = _mm_srai_epi32(_mm_slli_epi32(m(v), 16), 16),
                      mask16 = _mm_packs_epi32(m(mask), m(mask));
        __m128i *out = (__m128i *)p;
        _mm_storel_epi64(out, m(select((I)mask16, (I)_mm_packs_epi32(low, low), (I)_mm_loadl_epi64(out))));
    }
#endif
    static void store32(uint32_t *p, I mask, I v)
    {
        __m128i *out = (__m128i *)p;
        _mm_storeu_si128(out, m(select(mask, v, (I)_mm_loadu_si128(out))));
    }
};

}  // namespace

bool span4_loops(SpanTable &table)
{
    lanes_loops<Sse2>(table);
    return true;
}

#else

bool span4_loops(SpanTable &)
{
    return false;
}

#endif
