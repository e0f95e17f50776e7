// span4.cpp - the show's pixel path four pixels at a time with SSE2 (part of
// every x86-64 processor, and required of 32-bit builds): a texture with one
// q per triangle, bilinear and wrapped, decal or modulated by the iterated
// colour. It computes exactly what the one-pixel loop of span.cpp computes:
// the same values at every pixel (see SpanStart in raster.h).
//
// Groups of four start at a multiple of four, so lane k always holds dither
// column k; lanes outside the span are masked off. The depth test runs on the
// four lanes at once and a group with no pixel left costs no more. Texels are
// fetched a pair at a time (texture levels carry a wrapped extra column and
// row, see texmem.h) and filtered with each 32-bit texel split into two
// 16-bit lanes per channel pair: red/blue and alpha/green, as span.cpp's
// lerp_argb does in one register.
#include "dither.h"
#include "raster.h"

#include <lumivex_glide.h>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>

namespace {

// a + (b - a) f / 256 on 16-bit channel lanes; g = 256 - f.
inline __m128i lerp16(__m128i a, __m128i b, __m128i g, __m128i f) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(a, g), _mm_mullo_epi16(b, f)), 8);
}

// The low 16 bits of each 32-bit lane, as four 16-bit values in the low half.
inline __m128i pack16(__m128i v) {
    v = _mm_srai_epi32(_mm_slli_epi32(v, 16), 16);
    return _mm_packs_epi32(v, v);
}

inline __m128i select(__m128i mask, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

inline __m128i depth_passes(GrCmpFnc_t function, __m128i z, __m128i stored) {
    const __m128i all = _mm_set1_epi32(-1);
    switch (function) {
    case GR_CMP_NEVER: return _mm_setzero_si128();
    case GR_CMP_LESS: return _mm_cmplt_epi32(z, stored);
    case GR_CMP_EQUAL: return _mm_cmpeq_epi32(z, stored);
    case GR_CMP_LEQUAL: return _mm_xor_si128(_mm_cmpgt_epi32(z, stored), all);
    case GR_CMP_GREATER: return _mm_cmpgt_epi32(z, stored);
    case GR_CMP_NOTEQUAL: return _mm_xor_si128(_mm_cmpeq_epi32(z, stored), all);
    case GR_CMP_GEQUAL: return _mm_xor_si128(_mm_cmplt_epi32(z, stored), all);
    default: return all;
    }
}

// What each lane decides in the rows of one dither phase (y & 3): the
// level its dither cell samples and the offset of its dither.
struct RowPhase {
    __m128i coarse, width_mask, height_mask, stride, dither_g, dither_rb;
    const uint32_t *base[4];
    int32_t stride_of[4];
};

// The phases of a triangle's texture path. Neighbouring triangles of a mesh
// mostly sample the same levels, so the last phases made are kept.
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
        int32_t coarse[4], width_mask[4], height_mask[4], offset[4];
        for (int k = 0; k < 4; ++k) {
            const int d = DITHER_PATTERN[row][k];
            const int c = tex.coarse_cells >> d & 1;
            const AffineTexture::Level &level = tex.levels[c];
            coarse[k] = -c;
            width_mask[k] = (int32_t)level.width_mask;
            height_mask[k] = (int32_t)level.height_mask;
            ph.stride_of[k] = (int32_t)level.stride;
            ph.base[k] = level.texels;
            offset[k] = dither_offset(d) + 1;
        }
        ph.coarse = _mm_loadu_si128((const __m128i *)coarse);
        ph.width_mask = _mm_loadu_si128((const __m128i *)width_mask);
        ph.height_mask = _mm_loadu_si128((const __m128i *)height_mask);
        ph.stride = _mm_loadu_si128((const __m128i *)ph.stride_of);
        ph.dither_g = _mm_loadu_si128((const __m128i *)offset);
        ph.dither_rb = _mm_or_si128(ph.dither_g, _mm_slli_epi32(ph.dither_g, 16));
    }
    return phases;
}

// MIXED: the triangle's pixels sample two levels (dithered mip-mapping
// between them); otherwise one level, and no lane needs its coordinates
// halved.
template <CombineMode C, bool MIXED>
void draw_spans4(const Raster &ra, const Span *spans, int count) {
    constexpr bool ITERATED = C == CC_TEXTURE_TIMES_ITERATED;
    const AffineTexture &tex = ra.affine;
    const RowPhase *phases = row_phases(tex);

    const __m128 oow_dx = _mm_set1_ps(ra.oow.dx), four = _mm_set1_ps(4.0f);
    const __m128i du = _mm_set1_epi32((int32_t)(4 * tex.du)), dv = _mm_set1_epi32((int32_t)(4 * tex.dv));
    const __m128i du_lanes = _mm_setr_epi32(0, (int32_t)tex.du, (int32_t)(2 * tex.du), (int32_t)(3 * tex.du));
    const __m128i dv_lanes = _mm_setr_epi32(0, (int32_t)tex.dv, (int32_t)(2 * tex.dv), (int32_t)(3 * tex.dv));
    auto step_lanes = [](int32_t step) {
        return _mm_setr_epi32(0, step, 2 * step, 3 * step);  // |step| <= 2^24: no overflow
    };
    const __m128i dr_lanes = step_lanes(ra.dr), dg_lanes = step_lanes(ra.dg), db_lanes = step_lanes(ra.db);
    const __m128i dr = _mm_set1_epi32(4 * ra.dr), dg = _mm_set1_epi32(4 * ra.dg), db = _mm_set1_epi32(4 * ra.db);
    const __m128i c255 = _mm_set1_epi16(255), zero = _mm_setzero_si128();
    const __m128i half_texel = _mm_set1_epi32(32768), m00ff = _mm_set1_epi32(0x00FF00FF);
    const __m128i m255 = _mm_set1_epi32(255), w256 = _mm_set1_epi16(256), one16 = _mm_set1_epi16(1);
    const __m128i top_rb = _mm_set1_epi16(31), top_g = _mm_set1_epi32(63), by257 = _mm_set1_epi16(257);
    const __m128i wone = _mm_castps_si128(_mm_set1_ps(1.0f)), wfar = _mm_set1_epi32(0xFFFF);
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128i lane = _mm_setr_epi32(0, 1, 2, 3);
    const bool depth_test = ra.depth_test, depth_write = ra.depth_write;
    const GrCmpFnc_t depth_function = ra.depth_function;

    for (const Span *span = spans; span < spans + count; ++span) {
        const int y = span->y, xa = span->xa, xb = span->xb;
        const int xg = xa & ~3;
        const RowPhase &ph = phases[y & 3];

        // The values at the group's first pixel, from those at the span's.
        const SpanStart start = span_start(ra, y, xa, ITERATED);
        const uint32_t back = (uint32_t)(xg - xa);  // modulo 2^32
        const __m128 oow_row = _mm_set1_ps(start.oow_row);
        __m128 px = _mm_add_ps(_mm_cvtepi32_ps(_mm_add_epi32(_mm_set1_epi32(xg), lane)), _mm_set1_ps(0.5f));
        __m128i u = _mm_add_epi32(_mm_set1_epi32((int32_t)(start.u + back * tex.du)), du_lanes);
        __m128i v = _mm_add_epi32(_mm_set1_epi32((int32_t)(start.v + back * tex.dv)), dv_lanes);
        __m128i r = _mm_setzero_si128(), g = r, b = r;
        if (ITERATED) {
            r = _mm_add_epi32(_mm_set1_epi32((int32_t)(start.r + back * (uint32_t)ra.dr)), dr_lanes);
            g = _mm_add_epi32(_mm_set1_epi32((int32_t)(start.g + back * (uint32_t)ra.dg)), dg_lanes);
            b = _mm_add_epi32(_mm_set1_epi32((int32_t)(start.b + back * (uint32_t)ra.db)), db_lanes);
        }
        const __m128i first = _mm_set1_epi32(xa - 1), end = _mm_set1_epi32(xb);
        uint16_t *colour = ra.colour + (size_t)y * lumivex::SCREEN_WIDTH;
        uint16_t *depth = ra.depth ? ra.depth + (size_t)y * lumivex::SCREEN_WIDTH : nullptr;

        for (int x = xg; x < xb; x += 4) {
            __m128i mask = _mm_set1_epi32(-1);
            if (x < xa || x + 4 > xb) {  // only the ends of a span are partial
                const __m128i xs = _mm_add_epi32(_mm_set1_epi32(x), lane);
                mask = _mm_and_si128(_mm_cmpgt_epi32(xs, first), _mm_cmplt_epi32(xs, end));
            }

            // oow_at() at each pixel; then the W-buffer code of 1/oow, as
            // wdepth_code does it.
            const __m128 oow = _mm_add_ps(oow_row, _mm_mul_ps(oow_dx, px));
            const __m128i bits = _mm_castps_si128(_mm_div_ps(one, oow));
            __m128i z = _mm_srli_epi32(_mm_sub_epi32(bits, wone), 11);
            z = select(_mm_cmpgt_epi32(z, wfar), wfar, z);
            z = _mm_andnot_si128(_mm_cmplt_epi32(bits, wone), z);
            if (depth_test) {
                const __m128i stored = _mm_unpacklo_epi16(_mm_loadl_epi64((const __m128i *)(depth + x)),
                                                          _mm_setzero_si128());
                mask = _mm_and_si128(mask, depth_passes(depth_function, z, stored));
            }

            if (_mm_movemask_epi8(mask)) {
                // Texel coordinates: the coarser level's are half; then to the
                // texel centres, the pair's first texel and the fractions.
                const __m128i uu = _mm_sub_epi32(MIXED ? select(ph.coarse, _mm_srli_epi32(u, 1), u) : u, half_texel);
                const __m128i vv = _mm_sub_epi32(MIXED ? select(ph.coarse, _mm_srli_epi32(v, 1), v) : v, half_texel);
                const __m128i tx = _mm_and_si128(_mm_srli_epi32(uu, 16), ph.width_mask);
                const __m128i ty = _mm_and_si128(_mm_srli_epi32(vv, 16), ph.height_mask);
                alignas(16) int32_t index[4];
                _mm_store_si128((__m128i *)index, _mm_add_epi32(_mm_madd_epi16(ty, ph.stride), tx));
                const uint32_t *p0 = ph.base[0] + index[0], *p1 = ph.base[1] + index[1];
                const uint32_t *p2 = ph.base[2] + index[2], *p3 = ph.base[3] + index[3];
                auto pair = [](const uint32_t *p) { return _mm_loadl_epi64((const __m128i *)p); };
                const __m128 top01 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(p0), pair(p1)));
                const __m128 top23 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(p2), pair(p3)));
                const __m128 bot01 = _mm_castsi128_ps(
                    _mm_unpacklo_epi64(pair(p0 + ph.stride_of[0]), pair(p1 + ph.stride_of[1])));
                const __m128 bot23 = _mm_castsi128_ps(
                    _mm_unpacklo_epi64(pair(p2 + ph.stride_of[2]), pair(p3 + ph.stride_of[3])));
                const __m128i t00 = _mm_castps_si128(_mm_shuffle_ps(top01, top23, _MM_SHUFFLE(2, 0, 2, 0)));
                const __m128i t10 = _mm_castps_si128(_mm_shuffle_ps(top01, top23, _MM_SHUFFLE(3, 1, 3, 1)));
                const __m128i t01 = _mm_castps_si128(_mm_shuffle_ps(bot01, bot23, _MM_SHUFFLE(2, 0, 2, 0)));
                const __m128i t11 = _mm_castps_si128(_mm_shuffle_ps(bot01, bot23, _MM_SHUFFLE(3, 1, 3, 1)));

                __m128i fu = _mm_and_si128(_mm_srli_epi32(uu, 8), m255);
                __m128i fv = _mm_and_si128(_mm_srli_epi32(vv, 8), m255);
                fu = _mm_or_si128(fu, _mm_slli_epi32(fu, 16));
                fv = _mm_or_si128(fv, _mm_slli_epi32(fv, 16));
                const __m128i gu = _mm_sub_epi16(w256, fu), gv = _mm_sub_epi16(w256, fv);
                __m128i rb = lerp16(lerp16(_mm_and_si128(t00, m00ff), _mm_and_si128(t10, m00ff), gu, fu),
                                    lerp16(_mm_and_si128(t01, m00ff), _mm_and_si128(t11, m00ff), gu, fu), gv, fv);
                __m128i ag = lerp16(lerp16(_mm_srli_epi16(t00, 8), _mm_srli_epi16(t10, 8), gu, fu),
                                    lerp16(_mm_srli_epi16(t01, 8), _mm_srli_epi16(t11, 8), gu, fu), gv, fv);
                if (ITERATED) {
                    // texel x (c + 1) / 256, with c the iterated channel.
                    // The whole parts as 16-bit lanes, held to 0..255 here rather
                    // than per span: short spans are the torus's common case.
                    __m128i it_rb = _mm_or_si128(_mm_and_si128(r, _mm_set1_epi32((int32_t)0xFFFF0000)),
                                                 _mm_srli_epi32(b, 16));
                    __m128i it_g = _mm_srli_epi32(g, 16);
                    it_rb = _mm_min_epi16(_mm_max_epi16(it_rb, zero), c255);
                    it_g = _mm_min_epi16(_mm_max_epi16(it_g, zero), c255);
                    rb = _mm_srli_epi16(_mm_mullo_epi16(rb, _mm_add_epi16(it_rb, one16)), 8);
                    ag = _mm_srli_epi16(_mm_mullo_epi16(ag, _mm_add_epi16(it_g, one16)), 8);
                }
                // The dither, as dither.h: floor((v top + offset) / 255), the
                // division being (n + 1) x 257 / 65536, exact below 65535.
                const __m128i rb5 = _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(rb, top_rb), ph.dither_rb), by257);
                const __m128i g6 = _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(ag, top_g), ph.dither_g), by257);
                const __m128i pixel = _mm_or_si128(
                    _mm_or_si128(_mm_and_si128(rb5, _mm_set1_epi32(0x1F)),
                                 _mm_and_si128(_mm_srli_epi32(rb5, 5), _mm_set1_epi32(0xF800))),
                    _mm_slli_epi32(_mm_and_si128(g6, _mm_set1_epi32(0x3F)), 5));

                const __m128i mask16 = _mm_packs_epi32(mask, mask);
                __m128i *out = (__m128i *)(colour + x);
                _mm_storel_epi64(out, select(mask16, pack16(pixel), _mm_loadl_epi64(out)));
                if (depth_write) {
                    __m128i *zout = (__m128i *)(depth + x);
                    _mm_storel_epi64(zout, select(mask16, pack16(z), _mm_loadl_epi64(zout)));
                }
            }
            px = _mm_add_ps(px, four);
            u = _mm_add_epi32(u, du);
            v = _mm_add_epi32(v, dv);
            if (ITERATED) {
                r = _mm_add_epi32(r, dr);
                g = _mm_add_epi32(g, dg);
                b = _mm_add_epi32(b, db);
            }
        }
    }
}

}  // namespace

SpanFunction span4_function(CombineMode combine, bool mixed_levels) {
    switch (combine) {
    case CC_DECAL: return mixed_levels ? draw_spans4<CC_DECAL, true> : draw_spans4<CC_DECAL, false>;
    case CC_TEXTURE_TIMES_ITERATED:
        return mixed_levels ? draw_spans4<CC_TEXTURE_TIMES_ITERATED, true>
                            : draw_spans4<CC_TEXTURE_TIMES_ITERATED, false>;
    default: return nullptr;
    }
}

#else

SpanFunction span4_function(CombineMode, bool) {
    return nullptr;
}

#endif
