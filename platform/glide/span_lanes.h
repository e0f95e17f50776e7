// span_lanes.h - the show's pixel path, written once over a set of lane
// operations V and compiled per width: one pixel (span.cpp), four with SSE2
// (span4.cpp), eight with AVX2 (span8.cpp). A texture with one q per
// triangle, bilinear and wrapped, decal or modulated by the iterated colour,
// into either pixel format (raster.h).
// Every width computes every pixel's values with the same operations (see
// SpanStart in raster.h), so every width draws the same picture.
//
// Groups of W pixels start at a multiple of W or of four, so lane k always
// holds dither column k & 3; lanes outside the span are masked off. The depth
// test runs on all lanes at once and a group with no pixel left costs no
// more. A pixel's four texels are fetched at once (texture levels are stored
// in pairs of rows, see texmem.h) and filtered with each 32-bit texel split
// into two 16-bit lanes per channel pair: red/blue and alpha/green.
//
// The lane operations (V) are VectorLanes<W> of lanes.h, or a width's own.
//
// Each width's file includes this inside its own target options; everything
// here has internal linkage, so no width's code is shared with another's.
#ifndef LUMIVEX_GLIDE_SPAN_LANES_H
#define LUMIVEX_GLIDE_SPAN_LANES_H

#include "dither.h"
#include "lanes.h"
#include "raster.h"

namespace {

// What each lane decides in the pixels of one dither phase: the level its
// dither cell samples, as an offset from the finer level's texels, and the
// offset of its dither. A group of four lanes or more covers a row of the
// pattern; narrower groups take turns along it.
template <class V> struct DitherPhase {
    static constexpr int TURNS = V::W < 4 ? 4 / V::W : 1;
    typename V::I coarse, width_mask, height_mask, stride, base, dither_g, dither_rb;
};

// Lane by lane for up to eight lanes, per row of the pattern: the dither
// cell as a bit, 1 << d, and the offset of its dither.
struct PatternLanes {
    int32_t cell[4][8], offset[4][8];
};

inline const PatternLanes &pattern_lanes()
{
    static const PatternLanes lanes = [] {
        PatternLanes l;
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 8; ++k) {
                const int d = DITHER_PATTERN[row][k & 3];
                l.cell[row][k] = 1 << d;
                l.offset[row][k] = dither_offset(d) + 1;
            }
        return l;
    }();
    return lanes;
}

// The phases of the four rows of the pattern, TURNS a row: each lane takes
// the coarser level where its cell is one of the triangle's coarse cells.
template <class V> void make_phases(const AffineTexture &tex, DitherPhase<V> *phases)
{
    using I = typename V::I;
    const PatternLanes &lanes = pattern_lanes();
    const AffineTexture::Level &fine = tex.levels[0], &coarse = tex.levels[1];
    const I cells = V::set1((int32_t)tex.coarse_cells);
    // Widths and strides count texels of the pairs of rows: twice the texels of a row.
    const I fine_width = V::set1((int32_t)fine.width_mask * 2),
            coarse_width = V::set1((int32_t)coarse.width_mask * 2);
    const I fine_height = V::set1((int32_t)fine.height_mask),
            coarse_height = V::set1((int32_t)coarse.height_mask);
    const I fine_stride = V::set1((int32_t)fine.stride * 2),
            coarse_stride = V::set1((int32_t)coarse.stride * 2);
    // Both levels share one block of texels.
    const I fine_base = V::set1(0), coarse_base = V::set1((int32_t)(coarse.texels - fine.texels));
    for (int phase = 0; phase < 4 * DitherPhase<V>::TURNS; ++phase) {
        const int row = phase / DitherPhase<V>::TURNS, column = phase % DitherPhase<V>::TURNS * V::W & 3;
        DitherPhase<V> &ph = phases[phase];
        const I bit = V::load(&lanes.cell[row][column]);
        ph.coarse = V::eq(V::band(cells, bit), bit);
        ph.width_mask = V::select(ph.coarse, coarse_width, fine_width);
        ph.height_mask = V::select(ph.coarse, coarse_height, fine_height);
        ph.stride = V::select(ph.coarse, coarse_stride, fine_stride);
        ph.base = V::select(ph.coarse, coarse_base, fine_base);
        ph.dither_g = V::load(&lanes.offset[row][column]);
        ph.dither_rb = V::bor(ph.dither_g, V::template slli<16>(ph.dither_g));
    }
}

template <class V> typename V::I depth_passes(GrCmpFnc_t function, typename V::I z, typename V::I stored)
{
    const typename V::I all = V::set1(-1);
    switch (function) {
    case GR_CMP_NEVER: return V::set1(0);
    case GR_CMP_LESS: return V::gt(stored, z);
    case GR_CMP_EQUAL: return V::eq(z, stored);
    case GR_CMP_LEQUAL: return V::andnot(V::gt(z, stored), all);
    case GR_CMP_GREATER: return V::gt(z, stored);
    case GR_CMP_NOTEQUAL: return V::andnot(V::eq(z, stored), all);
    case GR_CMP_GEQUAL: return V::andnot(V::gt(stored, z), all);
    default: return all;
    }
}

// a + (b - a) f / 256 on 16-bit channel lanes; g = 256 - f.
template <class V> typename V::I lerp16(typename V::I a, typename V::I b, typename V::I g, typename V::I f)
{
    return V::template srli16<8>(V::add16(V::mullo16(a, g), V::mullo16(b, f)));
}

// The pixel path's constants, made once a triangle and held: the compiler
// would otherwise rebuild each from an immediate in every group.
template <class V> struct LoopConstants {
    typename V::I half_texel, m00ff, w256, one16, high, top255, by257, times31, times63, low_byte, one_bits,
        top_code;
};

template <class V> LoopConstants<V> loop_constants()
{
    return {.half_texel = V::held(V::set1(32768)),
            .m00ff = V::held(V::set1(0x00FF00FF)),
            .w256 = V::held(V::set1(256 << 16 | 256)),
            .one16 = V::held(V::set1(1 << 16 | 1)),
            .high = V::held(V::set1((int32_t)0xFFFF0000)),
            .top255 = V::held(V::set1(255 << 16 | 255)),
            .by257 = V::held(V::set1(257 << 16 | 257)),
            .times31 = V::held(V::set1(31 << 16 | 31)),
            .times63 = V::held(V::set1(63)),
            .low_byte = V::held(V::set1(0xFF)),
            .one_bits = V::held(V::set1(0x3F800000)),
            .top_code = V::held(V::set1(0xFFFF))};
}

// The W-buffer code of w = 1/oow, as wdepth_code does it: w whose bits are
// below one's (w below 1, negative, or a negative NaN) is taken as 1.
template <class V> typename V::I depth_code(typename V::F oow, const LoopConstants<V> &k)
{
    const typename V::I bits = V::bits(V::fdiv((typename V::F)k.one_bits, oow));
    return V::min(V::template srli<11>(V::sub(V::max(bits, k.one_bits), k.one_bits)), k.top_code);
}

// The dithered RGB565 pixel of 8-bit channels rb (red and blue halves) and
// ag (green in the low half), as dither.h: floor((v top + offset) / 255), the
// division being (n + 1) x 257 / 65536, exact below 65535. The pixel is the
// low half of each lane: the channels, 5 and 6 bits, need no masks to meet
// there.
template <class V>
typename V::I rgb565(typename V::I rb, typename V::I ag, const DitherPhase<V> &ph, const LoopConstants<V> &k)
{
#if defined(__wasm_simd128__)  // no 16-bit high multiply there: see div255
    const typename V::I rb5 = V::div255(V::add16(V::mullo16(rb, k.times31), ph.dither_rb));
    const typename V::I g6 = V::div255(V::add16(V::mullo16(ag, k.times63), ph.dither_g));
#else
    const typename V::I rb5 = V::mulhi16(V::add16(V::mullo16(rb, k.times31), ph.dither_rb), k.by257);
    const typename V::I g6 = V::mulhi16(V::add16(V::mullo16(ag, k.times63), ph.dither_g), k.by257);
#endif
    return V::bor(V::bor(rb5, V::template srli<5>(rb5)), V::template slli<5>(g6));
}

// The pixels of 8-bit channels rb and ag (as rgb565 takes them) to the lanes
// of p that mask keeps, in p's format: these are the loop's only knowledge of
// the pixel format.
template <class V>
void store_pixels(uint16_t *p, typename V::I mask, typename V::I rb, typename V::I ag,
                  const DitherPhase<V> &ph, const LoopConstants<V> &k)
{
    V::store16(p, mask, rgb565<V>(rb, ag, ph, k));
}

template <class V>
void store_pixels(uint32_t *p, typename V::I mask, typename V::I rb, typename V::I ag, const DitherPhase<V> &,
                  const LoopConstants<V> &k)
{
    V::store32(p, mask, V::bor(rb, V::template slli<8>(V::band(ag, k.low_byte))));
}

// The depth function of draw_lanes read from the raster, not compiled in;
// or the two passes (raster.h's OwnedFunction): the show's depth test with
// no shading, the pixels that pass marked id's in owners, then no depth, the
// pixels drawn being those marked id's.
constexpr GrCmpFnc_t DEPTH_AS_SET = -1, DEPTH_RESOLVE = -2, DEPTH_OWNED = -3;

// MIXED: the triangle's pixels sample two levels (dithered mip-mapping
// between them); otherwise one level, and no lane needs its coordinates
// halved. DEPTH: the depth test when compiled in (no choice per group),
// DEPTH_AS_SET, DEPTH_RESOLVE or DEPTH_OWNED.
// Flattened: every lane operation inlined, whatever the compiler's budget.
template <class V, CombineMode C, bool MIXED, class Pixel, GrCmpFnc_t DEPTH>
__attribute__((flatten)) bool draw_lanes(const Raster &ra, const Span *spans, int count, const Owners *owners,
                                         uint16_t id)
{
    using I = typename V::I;
    using F = typename V::F;
    constexpr int W = V::W;
    constexpr bool ITERATED = C == CC_TEXTURE_TIMES_ITERATED;
    const AffineTexture &tex = ra.affine;
    constexpr int TURNS = DitherPhase<V>::TURNS;
    constexpr int ALIGN = W < 4 ? W : 4;
    DitherPhase<V> phases[4 * TURNS];
    make_phases(tex, phases);
    const uint32_t *texels = tex.levels[0].texels;

    const F oow_dx = V::fset1(ra.oow.dx), half = V::fset1(0.5f);
    const F group = (F)V::held(V::bits(V::fset1((float)W)));
    const I du = V::set1((int32_t)(W * tex.du)), dv = V::set1((int32_t)(W * tex.dv));
    const I du_lanes = V::lanes(0, tex.du), dv_lanes = V::lanes(0, tex.dv);
    const I dr_lanes = V::lanes(0, (uint32_t)ra.dr), dg_lanes = V::lanes(0, (uint32_t)ra.dg);
    const I db_lanes = V::lanes(0, (uint32_t)ra.db);
    const I dr = V::set1(W * ra.dr), dg = V::set1(W * ra.dg), db = V::set1(W * ra.db);  // |step| <= 2^24
    const LoopConstants<V> k = loop_constants<V>();
    const I lane = V::lanes(0, 1);
    constexpr bool OWNED = DEPTH == DEPTH_OWNED, RESOLVE = DEPTH == DEPTH_RESOLVE;
    const bool depth_test = !OWNED && (DEPTH != DEPTH_AS_SET || ra.depth_test);
    const bool depth_write = !OWNED && ra.depth_write;
    const GrCmpFnc_t depth_function = DEPTH >= 0 ? DEPTH : RESOLVE ? GR_CMP_LESS : ra.depth_function;
    const I mine = V::set1(id);
    bool passed = !RESOLVE;

    for (const Span *span = spans; span < spans + count; ++span) {
        const int y = span->y, xa = span->xa, xb = span->xb;
        // Groups start on a multiple of four, where the dither's columns
        // start again, rather than of W: fewer groups a span. No group may
        // reach past the row's end (the next row may be another thread's), so
        // a span whose last group would starts four pixels earlier.
        int xg = xa & ~(ALIGN - 1);
        if (W > 4 && xg + (xb - xg + W - 1) / W * W > ra.stride)
            xg -= 4;
        const DitherPhase<V> *row_phases = phases + (y & 3) * TURNS;

        // The values at the group's first pixel, from those at the span's.
        const SpanStart start = span_start(ra, y, xa, ITERATED);
        const uint32_t back = (uint32_t)(xg - xa);  // modulo 2^32
        const F oow_row = V::fset1(start.oow_row);
        F px = V::fadd(V::to_float(V::add(V::set1(xg), lane)), half);
        I u = V::add(V::set1((int32_t)(start.u + back * tex.du)), du_lanes);
        I v = V::add(V::set1((int32_t)(start.v + back * tex.dv)), dv_lanes);
        I r = V::set1(0), g = r, b = r;
        if (ITERATED) {
            r = V::add(V::set1((int32_t)(start.r + back * (uint32_t)ra.dr)), dr_lanes);
            g = V::add(V::set1((int32_t)(start.g + back * (uint32_t)ra.dg)), dg_lanes);
            b = V::add(V::set1((int32_t)(start.b + back * (uint32_t)ra.db)), db_lanes);
        }
        const I first = V::set1(xa - 1), end = V::set1(xb);
        Pixel *colour = static_cast<Pixel *>(ra.colour) + (size_t)y * ra.stride;
        uint16_t *depth = ra.depth ? ra.depth + (size_t)y * ra.stride : nullptr;
        uint16_t *owned = owners ? owners->rows + (size_t)(y - owners->first_row) * ra.stride : nullptr;

        for (int x = xg; x < xb; x += W) {
            I mask = V::set1(-1);
            if (x < xa || x + W > xb) {  // only the ends of a span are partial
                const I xs = V::add(V::set1(x), lane);
                mask = V::band(V::gt(xs, first), V::gt(end, xs));
            }

            // oow at each pixel (no fused multiply-add: the library is
            // built without contraction), then its depth code.
            I z = {};
            if (OWNED)
                mask = V::band(mask, V::eq(V::load_depth(owned + x), mine));
            else
                z = depth_code<V>(V::fadd(oow_row, V::fmul(oow_dx, px)), k);
            if (depth_test)
                mask = V::band(mask, depth_passes<V>(depth_function, z, V::load_depth(depth + x)));

            if (RESOLVE) {
                if (V::any(mask)) {
                    passed = true;
                    V::store16(depth + x, mask, z);
                    V::store16(owned + x, mask, mine);
                }
            } else if (V::any(mask)) {
                const DitherPhase<V> &ph = row_phases[x / W % TURNS];
                // Texel coordinates: the coarser level's are half; then to the
                // texel centres, the first texel (x twice over: see the masks)
                // and the fractions.
                const I uu =
                    V::sub(MIXED ? V::select(ph.coarse, V::template srli<1>(u), u) : u, k.half_texel);
                const I vv =
                    V::sub(MIXED ? V::select(ph.coarse, V::template srli<1>(v), v) : v, k.half_texel);
                const I tx2 = V::band(V::template srli<15>(uu), ph.width_mask);
                const I ty = V::band(V::template srli<16>(vv), ph.height_mask);
                // Levels are at most 256 texels plus one: mul15 holds.
                const I top = V::add(V::add(V::mul15(ty, ph.stride), tx2), ph.base);
                I t00, t10, t01, t11;
                V::fetch_quads(texels, top, &t00, &t10, &t01, &t11);

                const I fu = V::byte1_twice(uu), fv = V::byte1_twice(vv);
                const I gu = V::sub16(k.w256, fu), gv = V::sub16(k.w256, fv);
                I rb = lerp16<V>(lerp16<V>(V::band(t00, k.m00ff), V::band(t10, k.m00ff), gu, fu),
                                 lerp16<V>(V::band(t01, k.m00ff), V::band(t11, k.m00ff), gu, fu), gv, fv);
                I ag = lerp16<V>(lerp16<V>(V::template srli16<8>(t00), V::template srli16<8>(t10), gu, fu),
                                 lerp16<V>(V::template srli16<8>(t01), V::template srli16<8>(t11), gu, fu),
                                 gv, fv);
                if (ITERATED) {
                    // texel x (c + 1) / 256, with c the iterated channel's
                    // whole part as a 16-bit lane held to 0..255.
                    const I it_rb = V::clamp16(V::bor(V::band(r, k.high), V::template srli<16>(b)), k.top255);
                    const I it_g = V::clamp16(V::template srli<16>(g), k.top255);
                    rb = V::template srli16<8>(V::mullo16(rb, V::add16(it_rb, k.one16)));
                    ag = V::template srli16<8>(V::mullo16(ag, V::add16(it_g, k.one16)));
                }
                store_pixels<V>(colour + x, mask, rb, ag, ph, k);
                if (depth_write)
                    V::store16(depth + x, mask, z);
            }
            px = V::fadd(px, group);
            u = V::add(u, du);
            v = V::add(v, dv);
            if (ITERATED) {
                r = V::add(r, dr);
                g = V::add(g, dg);
                b = V::add(b, db);
            }
        }
    }
    return passed;
}

// The show's depth test has a loop of its own.
template <class V, CombineMode C, bool MIXED, class Pixel>
void draw_lanes(const Raster &ra, const Span *spans, int count)
{
    if (ra.depth_test && ra.depth_function == GR_CMP_LESS)
        draw_lanes<V, C, MIXED, Pixel, GR_CMP_LESS>(ra, spans, count, nullptr, 0);
    else
        draw_lanes<V, C, MIXED, Pixel, DEPTH_AS_SET>(ra, spans, count, nullptr, 0);
}

// A colour path's loops and their two passes, for one level and for a mix, at this width.
template <class V, class Pixel, CombineMode C, bool... MIXED> void set_lanes(SpanTable &table)
{
    ((table.loops[C][Q_AFFINE][true][MIXED] = {draw_lanes<V, C, MIXED, Pixel>,
                                               draw_lanes<V, C, MIXED, Pixel, DEPTH_RESOLVE>,
                                               draw_lanes<V, C, MIXED, Pixel, DEPTH_OWNED>}),
     ...);
}

template <class V, class Pixel> void lanes_loops(SpanTable &table)
{
    set_lanes<V, Pixel, CC_DECAL, false, true>(table);
    set_lanes<V, Pixel, CC_TEXTURE_TIMES_ITERATED, false, true>(table);
}

// The table's loops of the whole-number texture path (the only paths this
// loop draws) at this width, in the table's pixel format.
template <class V> void lanes_loops(SpanTable &table)
{
    table.width = V::W;
    if (table.format == PIXEL_XRGB)
        lanes_loops<V, uint32_t>(table);
    else
        lanes_loops<V, uint16_t>(table);
}

}  // namespace

#endif
