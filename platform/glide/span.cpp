// span.cpp - the inner loops: a triangle's rows, pixel by pixel. One
// specialised loop per colour path and q mode (chosen once per triangle);
// inside, only predictable branches on per-triangle state remain. The show's
// texture path has its own loop (span_lanes.h), one pixel at a time here and
// wider where the processor allows.
//
// Per pixel: w = 1/oow gives the depth code and the early depth test; then
// the texture (s, t divided by q, a level of detail, bilinear filtering),
// the colour combine, and the 4x4 ordered dither into RGB565 (or the 8-bit
// channels as they are, in 32-bit colour).
#include "dither.h"
#include "raster.h"
#include "span_lanes.h"
#include "texmem.h"
#include "wdepth.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The lane operations of lanes.h on one pixel.
using Scalar = VectorLanes<1>;

// Texture coordinates are valid from -32768 to 32767; anything beyond,
// infinities and NaN included (NaN fails the first test), is held there so
// that the conversion to whole texels stays defined.
inline float clamp_coordinate(float v)
{
    v = v > -32768.0f ? v : -32768.0f;
    return v < 32767.0f ? v : 32767.0f;
}

// a + (b - a) f / 256 for all four channels at once: red and blue travel in
// the two 16-bit halves of one word, alpha and green in another, and 255 x 256
// still fits a half.
inline uint32_t lerp_argb(uint32_t a, uint32_t b, uint32_t f)
{
    uint32_t g = 256 - f;
    uint32_t rb = (((a & 0x00FF00FF) * g + (b & 0x00FF00FF) * f) >> 8) & 0x00FF00FF;
    uint32_t ag = (((a >> 8) & 0x00FF00FF) * g + ((b >> 8) & 0x00FF00FF) * f) & 0xFF00FF00;
    return rb | ag;
}

// log2 of a positive float, read off its bits: the exponent, plus the
// mantissa taken as a straight line between powers of two (at most 0.09
// away), in 1/2^23 steps, offset by 127 << 23.
inline int32_t log_bits(float v)
{
    int32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits & 0x7FFFFFFF;
}

// The level of detail at a pixel, in 1/256 levels, from rho^2 q^4 (rho2q:
// the larger squared length of the two screen derivatives of (s, t), each
// multiplied by q^2) and q: 0.5 log2(rho2q) - 2 log2(q), computed on the
// bits in 2^-22 steps; 190.5 << 22 gathers the offsets of both logarithms.
inline int pixel_lod(float rho2q, float q)
{
    int32_t l22 = (log_bits(rho2q) >> 2) - log_bits(q) + 799014912;
    return l22 >> 14;
}

// Samples the texture at (s, t), in units where 256 spans the larger side.
inline uint32_t sample(const Sampler &sm, float s, float t, int lod, int d)
{
    if (!sm.levels)
        return 0xFFFFFFFF;
    const int index = level_index(sm, lod, d);
    const TexLevel &level = sm.levels[index];
    const int wmax = level.width - 1, hmax = level.height - 1;
    const float scale = level.to_256th;
    int u = (int)(clamp_coordinate(s) * scale);  // 1/256 texels
    int v = (int)(clamp_coordinate(t) * scale);

    bool magnified = lod < sm.large_lod * 256;
    if (!(magnified ? sm.bilinear_mag : sm.bilinear_min)) {
        int x = u >> 8, y = v >> 8;
        x = sm.wrap_s ? x & wmax : std::clamp(x, 0, wmax);
        y = sm.wrap_t ? y & hmax : std::clamp(y, 0, hmax);
        return level.texels[2 * (y * level.stride + x)];
    }

    // Bilinear: texel centres sit at half-texel positions.
    u -= 128;
    v -= 128;
    int x = u >> 8, y = v >> 8;
    uint32_t fu = (uint32_t)u & 255, fv = (uint32_t)v & 255;
    // Clamped beyond an edge, both texels of the pair are the edge's own.
    if (!sm.wrap_s && (x < 0 || x >= wmax)) {
        x = x < 0 ? 0 : wmax;
        fu = 0;
    }
    if (!sm.wrap_t && (y < 0 || y >= hmax)) {
        y = y < 0 ? 0 : hmax;
        fv = 0;
    }
    x &= wmax;
    y &= hmax;
    const uint32_t *quad = level.texels + 2 * (y * level.stride + x);
    return lerp_argb(lerp_argb(quad[0], quad[2], fu), lerp_argb(quad[1], quad[3], fu), fv);
}

template <CombineMode C, QMode Q, class Pixel> void draw_spans(const Raster &ra, const Span *spans, int count)
{
    constexpr bool TEXTURED = C == CC_DECAL || C == CC_TEXTURE_TIMES_ITERATED;
    constexpr bool ITERATED = C == CC_ITERATED || C == CC_TEXTURE_TIMES_ITERATED;
    constexpr bool PERSPECTIVE = TEXTURED && Q != Q_AFFINE;
    const Plane &qp = Q == Q_OOW ? ra.oow : ra.q;
    const unsigned cr = ra.constant_rgb >> 16 & 0xFF, cg = ra.constant_rgb >> 8 & 0xFF,
                   cb = ra.constant_rgb & 0xFF;
    const bool depth_test = ra.depth_test, depth_write = ra.depth_write;
    const GrCmpFnc_t depth_function = ra.depth_function;
    const Sampler &sm = ra.sampler;
    const int lod_bias = sm.lod_bias;
    const float doow = ra.oow.dx, ds = ra.s.dx, dt = ra.t.dx, dq = qp.dx;
    // With s = S/q, ds/dx = (S_x q - S q_x) / q^2. The numerator is the same
    // all along a row, and that of ds/dy changes by a constant per pixel;
    // q^2 is divided out in pixel_lod.
    const float dnsy = ra.s.dy * qp.dx - ra.s.dx * qp.dy, dnty = ra.t.dy * qp.dx - ra.t.dx * qp.dy;

    for (const Span *span = spans; span < spans + count; ++span) {
        const int y = span->y, xa = span->xa, xb = span->xb;
        const float px = xa + 0.5f, py = y + 0.5f;
        auto at = [&](const Plane &p) { return p.at + p.dx * px + p.dy * py; };

        float oow = at(ra.oow);
        float s = 0, t = 0, q = 0, rho2x = 0, nsy = 0, nty = 0;
        uint32_t r = 0, g = 0, b = 0, dr = 0, dg = 0, db = 0;
        if (TEXTURED) {
            s = at(ra.s);
            t = at(ra.t);
        }
        if (PERSPECTIVE) {
            q = at(qp);
            const float nsx = ds * q - s * qp.dx, ntx = dt * q - t * qp.dx;
            rho2x = nsx * nsx + ntx * ntx;
            nsy = ra.s.dy * q - s * qp.dy;
            nty = ra.t.dy * q - t * qp.dy;
        }
        if (ITERATED) {
            dr = colour_span(ra.r, px, py, xb - xa, ra.dr, &r);
            dg = colour_span(ra.g, px, py, xb - xa, ra.dg, &g);
            db = colour_span(ra.b, px, py, xb - xa, ra.db, &b);
        }

        Pixel *colour = static_cast<Pixel *>(ra.colour) + (size_t)y * ra.stride;
        uint16_t *depth = ra.depth ? ra.depth + (size_t)y * ra.stride : nullptr;
        const uint8_t *pattern = DITHER_PATTERN[y & 3];

        for (int x = xa; x < xb; ++x) {
            const float w = 1.0f / oow;
            const uint16_t z = wdepth_code(w);
            if (!depth_test ||
                depth_passes<Scalar>(depth_function, Scalar::set1(z), Scalar::set1(depth[x]))[0]) {
                const int d = pattern[x & 3];
                uint32_t texel = 0;
                if (PERSPECTIVE) {
                    const float invq = Q == Q_OOW ? w : 1.0f / q;
                    const float rho2y = nsy * nsy + nty * nty;
                    const int lod = pixel_lod(rho2x > rho2y ? rho2x : rho2y, q) + lod_bias;
                    texel = sample(sm, s * invq, t * invq, lod, d);
                } else if (TEXTURED) {
                    texel = sample(sm, s, t, ra.lod, d);
                }
                unsigned pr, pg, pb;
                switch (C) {
                case CC_ZERO: pr = pg = pb = 0; break;
                case CC_CONSTANT:
                    pr = cr;
                    pg = cg;
                    pb = cb;
                    break;
                case CC_ITERATED:
                    pr = r >> 16;
                    pg = g >> 16;
                    pb = b >> 16;
                    break;
                case CC_DECAL:
                    pr = texel >> 16 & 0xFF;
                    pg = texel >> 8 & 0xFF;
                    pb = texel & 0xFF;
                    break;
                default:  // texture times iterated: x (c + 1) / 256 keeps 255 as 255 and 0 as 0
                    pr = (texel >> 16 & 0xFF) * ((r >> 16) + 1) >> 8;
                    pg = (texel >> 8 & 0xFF) * ((g >> 16) + 1) >> 8;
                    pb = (texel & 0xFF) * ((b >> 16) + 1) >> 8;
                    break;
                }
                put_pixel(colour + x, d, pr, pg, pb);
                if (depth_write)
                    depth[x] = z;
            }
            oow += doow;
            if (TEXTURED) {
                s += ds;
                t += dt;
            }
            if (PERSPECTIVE) {
                q += dq;
                nsy += dnsy;
                nty += dnty;
            }
            if (ITERATED) {
                r += dr;
                g += dg;
                b += db;
            }
        }
    }
}

// Every colour path and q mode (cq: combine times Q_MODES plus q mode) at its
// scalar loop, whatever the texture path; the paths without a texture
// ignore the q mode.
template <class Pixel, size_t... CQ> void scalar_loops(SpanTable &table, std::index_sequence<CQ...>)
{
    const SpanFunction draw[] = {draw_spans<CombineMode(CQ / Q_MODES), QMode(CQ % Q_MODES), Pixel>...};
    for (size_t cq = 0; cq < sizeof...(CQ); ++cq)
        for (auto &by_mix : table.loops[cq / Q_MODES][cq % Q_MODES])
            for (SpanLoops &loops : by_mix)
                loops = {draw[cq]};
}

}  // namespace

SpanTable span_table(PixelFormat format, int widest)
{
    SpanTable table;
    table.format = format;
    constexpr auto every_path = std::make_index_sequence<size_t(COMBINE_MODES) * Q_MODES>();
    if (format == PIXEL_XRGB)
        scalar_loops<uint32_t>(table, every_path);
    else
        scalar_loops<uint16_t>(table, every_path);
    // The whole-number texture path, as wide as the processor goes up to widest.
    if (!(widest >= 8 && span8_loops(table)) && !(widest >= 4 && span4_loops(table)))
        lanes_loops<Scalar>(table);
    return table;
}
