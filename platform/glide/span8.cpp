// span8.cpp - span4.cpp's loop eight pixels at a time with AVX2, for the
// processors that have it (asked at run time; the library itself is built
// for SSE2). The same arithmetic lane for lane; lanes k and k + 4 share a
// dither column. Texel pairs are gathered with the pair's first texel as an
// index from the base of the triangle's finer level.
#include "dither.h"
#include "raster.h"

#include <lumivex_glide.h>

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

namespace {

inline __m256i lerp16(__m256i a, __m256i b, __m256i g, __m256i f) {
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(a, g), _mm256_mullo_epi16(b, f)), 8);
}

// Two sets of eight 32-bit lanes holding 0 to 65535 as 16-bit values, in
// order: a's in the low half, b's in the high (unsigned saturation leaves
// them as they are; the pack works within 128-bit halves, the permute puts
// the quarters back in order).
inline __m256i pack16(__m256i a, __m256i b) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi32(a, b), 0xD8);
}

// A lane mask (0 or -1 in each 32-bit lane) as eight 16-bit masks.
inline __m128i pack_mask(__m256i mask) {
    return _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packs_epi32(mask, mask), 0x08));
}

inline __m256i select(__m256i mask, __m256i a, __m256i b) {
    return _mm256_blendv_epi8(b, a, mask);
}

inline __m256i depth_passes(GrCmpFnc_t function, __m256i z, __m256i stored) {
    const __m256i all = _mm256_set1_epi32(-1);
    switch (function) {
    case GR_CMP_NEVER: return _mm256_setzero_si256();
    case GR_CMP_LESS: return _mm256_cmpgt_epi32(stored, z);
    case GR_CMP_EQUAL: return _mm256_cmpeq_epi32(z, stored);
    case GR_CMP_LEQUAL: return _mm256_xor_si256(_mm256_cmpgt_epi32(z, stored), all);
    case GR_CMP_GREATER: return _mm256_cmpgt_epi32(z, stored);
    case GR_CMP_NOTEQUAL: return _mm256_xor_si256(_mm256_cmpeq_epi32(z, stored), all);
    case GR_CMP_GEQUAL: return _mm256_xor_si256(_mm256_cmpgt_epi32(stored, z), all);
    default: return all;
    }
}

inline __m256i lanes(uint32_t first, uint32_t step) {
    return _mm256_setr_epi32((int32_t)first, (int32_t)(first + step), (int32_t)(first + 2 * step),
                             (int32_t)(first + 3 * step), (int32_t)(first + 4 * step), (int32_t)(first + 5 * step),
                             (int32_t)(first + 6 * step), (int32_t)(first + 7 * step));
}

// What each lane decides in the rows of one dither phase, as in span4.cpp.
struct RowPhase {
    __m256i coarse, width_mask, height_mask, stride, base, dither_g, dither_rb;
};

const RowPhase *row_phases(const AffineTexture &tex) {
    static RowPhase phases[4];
    static AffineTexture::Level made[2];
    static unsigned made_cells;
    static bool valid = false;
    if (valid && made_cells == tex.coarse_cells && same_level(made[0], tex.levels[0]) &&
        same_level(made[1], tex.levels[1]))
        return phases;
    valid = true;
    made_cells = tex.coarse_cells;
    made[0] = tex.levels[0];
    made[1] = tex.levels[1];
    for (int row = 0; row < 4; ++row) {
        RowPhase &ph = phases[row];
        alignas(32) int32_t coarse[8], width_mask[8], height_mask[8], stride[8], base[8], offset[8];
        for (int k = 0; k < 8; ++k) {
            const int d = DITHER_PATTERN[row][k & 3];
            const int c = tex.coarse_cells >> d & 1;
            const AffineTexture::Level &level = tex.levels[c];
            coarse[k] = -c;
            width_mask[k] = (int32_t)level.width_mask;
            height_mask[k] = (int32_t)level.height_mask;
            stride[k] = (int32_t)level.stride;
            base[k] = (int32_t)(level.texels - tex.levels[0].texels);  // both levels share one block
            offset[k] = dither_offset(d) + 1;
        }
        ph.coarse = _mm256_load_si256((const __m256i *)coarse);
        ph.width_mask = _mm256_load_si256((const __m256i *)width_mask);
        ph.height_mask = _mm256_load_si256((const __m256i *)height_mask);
        ph.stride = _mm256_load_si256((const __m256i *)stride);
        ph.base = _mm256_load_si256((const __m256i *)base);
        ph.dither_g = _mm256_load_si256((const __m256i *)offset);
        ph.dither_rb = _mm256_or_si256(ph.dither_g, _mm256_slli_epi32(ph.dither_g, 16));
    }
    return phases;
}

// The texel pairs [t(i), t(i + 1)] at the eight pixels' indices, as the
// first and the second texel of each pixel, lanes in pixel order. The pairs
// are gathered as pixels 0 1 4 5 and 2 3 6 7 so that the split, which works
// within 128-bit halves, leaves the pixels in order: one permute of the
// indices instead of one per result.
inline void fetch_pairs(const uint32_t *base, __m256i index, __m256i *first, __m256i *second) {
    const __m256i order = _mm256_permute4x64_epi64(index, 0xD8);  // 0 1 4 5 2 3 6 7
    const __m256 a = _mm256_castsi256_ps(
        _mm256_i32gather_epi64((const long long *)base, _mm256_castsi256_si128(order), 4));
    const __m256 b = _mm256_castsi256_ps(
        _mm256_i32gather_epi64((const long long *)base, _mm256_extracti128_si256(order, 1), 4));
    // Halves [0 1 | 4 5] of a and [2 3 | 6 7] of b give [0 1 2 3 | 4 5 6 7].
    *first = _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
    *second = _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
}

template <CombineMode C, bool MIXED>
void draw_spans8(const Raster &ra, const Span *spans, int count) {
    constexpr bool ITERATED = C == CC_TEXTURE_TIMES_ITERATED;
    const AffineTexture &tex = ra.affine;
    const RowPhase *phases = row_phases(tex);
    const uint32_t *texels = tex.levels[0].texels;

    const __m256 oow_dx = _mm256_set1_ps(ra.oow.dx), eight = _mm256_set1_ps(8.0f);
    const __m256i du = _mm256_set1_epi32((int32_t)(8 * tex.du)), dv = _mm256_set1_epi32((int32_t)(8 * tex.dv));
    const __m256i du_lanes = lanes(0, tex.du), dv_lanes = lanes(0, tex.dv);
    const __m256i dr_lanes = lanes(0, (uint32_t)ra.dr), dg_lanes = lanes(0, (uint32_t)ra.dg);
    const __m256i db_lanes = lanes(0, (uint32_t)ra.db);
    const __m256i dr = _mm256_set1_epi32(8 * ra.dr), dg = _mm256_set1_epi32(8 * ra.dg), db = _mm256_set1_epi32(8 * ra.db);
    const __m256i c255 = _mm256_set1_epi16(255), zero = _mm256_setzero_si256();
    const __m256i half_texel = _mm256_set1_epi32(32768), m00ff = _mm256_set1_epi32(0x00FF00FF);
    const __m256i m255 = _mm256_set1_epi32(255), w256 = _mm256_set1_epi16(256), one16 = _mm256_set1_epi16(1);
    const __m256i top_rb = _mm256_set1_epi16(31), top_g = _mm256_set1_epi32(63), by257 = _mm256_set1_epi16(257);
    const __m256i wone = _mm256_castps_si256(_mm256_set1_ps(1.0f)), wfar = _mm256_set1_epi32(0xFFFF);
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const bool depth_test = ra.depth_test, depth_write = ra.depth_write;
    const GrCmpFnc_t depth_function = ra.depth_function;

    for (const Span *span = spans; span < spans + count; ++span) {
        const int y = span->y, xa = span->xa, xb = span->xb;
        const int xg = xa & ~7;
        const RowPhase &ph = phases[y & 3];

        // The values at the group's first pixel, from those at the span's.
        const SpanStart start = span_start(ra, y, xa, ITERATED);
        const uint32_t back = (uint32_t)(xg - xa);  // modulo 2^32
        const __m256 oow_row = _mm256_set1_ps(start.oow_row);
        __m256 px = _mm256_add_ps(_mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_set1_epi32(xg), lane)),
                                  _mm256_set1_ps(0.5f));
        __m256i u = _mm256_add_epi32(_mm256_set1_epi32((int32_t)(start.u + back * tex.du)), du_lanes);
        __m256i v = _mm256_add_epi32(_mm256_set1_epi32((int32_t)(start.v + back * tex.dv)), dv_lanes);
        __m256i r = _mm256_setzero_si256(), g = r, b = r;
        if (ITERATED) {
            r = _mm256_add_epi32(_mm256_set1_epi32((int32_t)(start.r + back * (uint32_t)ra.dr)), dr_lanes);
            g = _mm256_add_epi32(_mm256_set1_epi32((int32_t)(start.g + back * (uint32_t)ra.dg)), dg_lanes);
            b = _mm256_add_epi32(_mm256_set1_epi32((int32_t)(start.b + back * (uint32_t)ra.db)), db_lanes);
        }
        const __m256i first = _mm256_set1_epi32(xa - 1), end = _mm256_set1_epi32(xb);
        uint16_t *colour = ra.colour + (size_t)y * lumivex::SCREEN_WIDTH;
        uint16_t *depth = ra.depth ? ra.depth + (size_t)y * lumivex::SCREEN_WIDTH : nullptr;

        for (int x = xg; x < xb; x += 8) {
            __m256i mask = _mm256_set1_epi32(-1);
            if (x < xa || x + 8 > xb) {
                const __m256i xs = _mm256_add_epi32(_mm256_set1_epi32(x), lane);
                mask = _mm256_and_si256(_mm256_cmpgt_epi32(xs, first), _mm256_cmpgt_epi32(end, xs));
            }

            // oow_at() at each pixel, in the same order as span4.cpp (no
            // fused multiply-add: the library is built without contraction).
            const __m256 oow = _mm256_add_ps(oow_row, _mm256_mul_ps(oow_dx, px));
            const __m256i bits = _mm256_castps_si256(_mm256_div_ps(one, oow));
            __m256i z = _mm256_srli_epi32(_mm256_sub_epi32(bits, wone), 11);
            z = _mm256_min_epi32(z, wfar);  // z >= 0 wherever it is kept
            z = _mm256_andnot_si256(_mm256_cmpgt_epi32(wone, bits), z);
            if (depth_test) {
                const __m256i stored = _mm256_cvtepu16_epi32(_mm_loadu_si128((const __m128i *)(depth + x)));
                mask = _mm256_and_si256(mask, depth_passes(depth_function, z, stored));
            }

            if (!_mm256_testz_si256(mask, mask)) {
                const __m256i uu =
                    _mm256_sub_epi32(MIXED ? select(ph.coarse, _mm256_srli_epi32(u, 1), u) : u, half_texel);
                const __m256i vv =
                    _mm256_sub_epi32(MIXED ? select(ph.coarse, _mm256_srli_epi32(v, 1), v) : v, half_texel);
                const __m256i tx = _mm256_and_si256(_mm256_srli_epi32(uu, 16), ph.width_mask);
                const __m256i ty = _mm256_and_si256(_mm256_srli_epi32(vv, 16), ph.height_mask);
                // ty stride with the 16-bit multiply-add, as span4.cpp: both
                // are below 2^15 (levels are at most 256 texels plus one).
                const __m256i top = _mm256_add_epi32(_mm256_add_epi32(_mm256_madd_epi16(ty, ph.stride), tx), ph.base);
                const __m256i bottom = _mm256_add_epi32(top, ph.stride);
                __m256i t00, t10, t01, t11;
                fetch_pairs(texels, top, &t00, &t10);
                fetch_pairs(texels, bottom, &t01, &t11);

                __m256i fu = _mm256_and_si256(_mm256_srli_epi32(uu, 8), m255);
                __m256i fv = _mm256_and_si256(_mm256_srli_epi32(vv, 8), m255);
                fu = _mm256_or_si256(fu, _mm256_slli_epi32(fu, 16));
                fv = _mm256_or_si256(fv, _mm256_slli_epi32(fv, 16));
                const __m256i gu = _mm256_sub_epi16(w256, fu), gv = _mm256_sub_epi16(w256, fv);
                __m256i rb = lerp16(
                    lerp16(_mm256_and_si256(t00, m00ff), _mm256_and_si256(t10, m00ff), gu, fu),
                    lerp16(_mm256_and_si256(t01, m00ff), _mm256_and_si256(t11, m00ff), gu, fu), gv, fv);
                __m256i ag = lerp16(lerp16(_mm256_srli_epi16(t00, 8), _mm256_srli_epi16(t10, 8), gu, fu),
                                    lerp16(_mm256_srli_epi16(t01, 8), _mm256_srli_epi16(t11, 8), gu, fu), gv, fv);
                if (ITERATED) {
                    __m256i it_rb = _mm256_or_si256(_mm256_and_si256(r, _mm256_set1_epi32((int32_t)0xFFFF0000)),
                                                    _mm256_srli_epi32(b, 16));
                    __m256i it_g = _mm256_srli_epi32(g, 16);
                    it_rb = _mm256_min_epi16(_mm256_max_epi16(it_rb, zero), c255);
                    it_g = _mm256_min_epi16(_mm256_max_epi16(it_g, zero), c255);
                    rb = _mm256_srli_epi16(_mm256_mullo_epi16(rb, _mm256_add_epi16(it_rb, one16)), 8);
                    ag = _mm256_srli_epi16(_mm256_mullo_epi16(ag, _mm256_add_epi16(it_g, one16)), 8);
                }
                const __m256i rb5 = _mm256_mulhi_epu16(
                    _mm256_add_epi16(_mm256_mullo_epi16(rb, top_rb), ph.dither_rb), by257);
                const __m256i g6 = _mm256_mulhi_epu16(
                    _mm256_add_epi16(_mm256_mullo_epi16(ag, top_g), ph.dither_g), by257);
                const __m256i pixel = _mm256_or_si256(
                    _mm256_or_si256(_mm256_and_si256(rb5, _mm256_set1_epi32(0x1F)),
                                    _mm256_and_si256(_mm256_srli_epi32(rb5, 5), _mm256_set1_epi32(0xF800))),
                    _mm256_slli_epi32(_mm256_and_si256(g6, _mm256_set1_epi32(0x3F)), 5));

                // pixel and z are in 0..65535 (z held above).
                const __m128i mask16 = pack_mask(mask);
                const __m256i packed = pack16(pixel, z);
                __m128i *out = (__m128i *)(colour + x);
                _mm_storeu_si128(out, _mm_blendv_epi8(_mm_loadu_si128(out), _mm256_castsi256_si128(packed), mask16));
                if (depth_write) {
                    __m128i *zout = (__m128i *)(depth + x);
                    _mm_storeu_si128(zout,
                                     _mm_blendv_epi8(_mm_loadu_si128(zout), _mm256_extracti128_si256(packed, 1), mask16));
                }
            }
            px = _mm256_add_ps(px, eight);
            u = _mm256_add_epi32(u, du);
            v = _mm256_add_epi32(v, dv);
            if (ITERATED) {
                r = _mm256_add_epi32(r, dr);
                g = _mm256_add_epi32(g, dg);
                b = _mm256_add_epi32(b, db);
            }
        }
    }
}

}  // namespace

#pragma GCC pop_options

SpanFunction span8_function(CombineMode combine, bool mixed_levels) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (!avx2) return nullptr;
    switch (combine) {
    case CC_DECAL: return mixed_levels ? draw_spans8<CC_DECAL, true> : draw_spans8<CC_DECAL, false>;
    case CC_TEXTURE_TIMES_ITERATED:
        return mixed_levels ? draw_spans8<CC_TEXTURE_TIMES_ITERATED, true>
                            : draw_spans8<CC_TEXTURE_TIMES_ITERATED, false>;
    default: return nullptr;
    }
}

#else

SpanFunction span8_function(CombineMode, bool) {
    return nullptr;
}

#endif
