// span.cpp - the inner loops: one row of one triangle, pixel by pixel. One
// specialised loop per colour path and q mode (chosen once per triangle);
// inside, only predictable branches on per-triangle state remain.
//
// Per pixel: w = 1/oow gives the depth code and the early depth test; then
// the texture (s, t divided by q, a level of detail, bilinear filtering),
// the colour combine, and the 4x4 ordered dither into RGB565.
#include "dither.h"
#include "raster.h"
#include "wdepth.h"

#include <lumivex_glide.h>

#include <cstring>

namespace {

inline bool depth_passes(GrCmpFnc_t function, unsigned z, unsigned stored) {
    switch (function) {
    case GR_CMP_NEVER: return false;
    case GR_CMP_LESS: return z < stored;
    case GR_CMP_EQUAL: return z == stored;
    case GR_CMP_LEQUAL: return z <= stored;
    case GR_CMP_GREATER: return z > stored;
    case GR_CMP_NOTEQUAL: return z != stored;
    case GR_CMP_GEQUAL: return z >= stored;
    default: return true;
    }
}

// Texture coordinates are valid from -32768 to 32767; anything beyond,
// infinities and NaN included (NaN fails the first test), is held there so
// that the conversion to whole texels stays defined.
inline float clamp_coordinate(float v) {
    v = v > -32768.0f ? v : -32768.0f;
    return v < 32767.0f ? v : 32767.0f;
}

inline int clamp_int(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// a + (b - a) f / 256 for all four channels at once: red and blue travel in
// the two 16-bit halves of one word, alpha and green in another, and 255 x 256
// still fits a half.
inline uint32_t lerp_argb(uint32_t a, uint32_t b, uint32_t f) {
    uint32_t g = 256 - f;
    uint32_t rb = (((a & 0x00FF00FF) * g + (b & 0x00FF00FF) * f) >> 8) & 0x00FF00FF;
    uint32_t ag = (((a >> 8) & 0x00FF00FF) * g + ((b >> 8) & 0x00FF00FF) * f) & 0xFF00FF00;
    return rb | ag;
}

// log2 of a positive float, read off its bits: the exponent, plus the
// mantissa taken as a straight line between powers of two (at most 0.09
// away), in 1/2^23 steps, offset by 127 << 23.
inline int32_t log_bits(float v) {
    int32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits & 0x7FFFFFFF;
}

// The level of detail at a pixel, in 1/256 levels, from rho^2 q^4 (rho2q:
// the larger squared length of the two screen derivatives of (s, t), each
// multiplied by q^2) and q: 0.5 log2(rho2q) - 2 log2(q), computed on the
// bits in 2^-22 steps; 190.5 << 22 gathers the offsets of both logarithms.
inline int pixel_lod(float rho2q, float q) {
    int32_t l22 = (log_bits(rho2q) >> 2) - log_bits(q) + 799014912;
    return l22 >> 14;
}

// The level a pixel samples: level-of-detail n uses the level 2^n times
// smaller than the 256 level. Dithered mip-mapping rounds up where the
// fraction exceeds the pixel's place in the dither pattern, so neighbouring
// pixels mix the two nearest levels in proportion.
inline uint32_t sample(const Sampler &sm, float s, float t, int lod, int d) {
    if (!sm.levels) return 0xFFFFFFFF;
    int index = 0;
    if (sm.mipmap_mode == GR_MIPMAP_NEAREST_DITHER)
        index = ((lod + d * 16 + 8) >> 8) - sm.large_lod;
    else if (sm.mipmap_mode == GR_MIPMAP_NEAREST)
        index = ((lod + 128) >> 8) - sm.large_lod;
    index = clamp_int(index, 0, sm.level_count - 1);
    const TexLevel &level = sm.levels[index];
    const int wmax = level.width - 1, hmax = level.height - 1;
    const float scale = sm.scale[index];
    int u = (int)(clamp_coordinate(s) * scale);  // 1/256 texels
    int v = (int)(clamp_coordinate(t) * scale);

    bool magnified = lod < sm.large_lod * 256;
    if (!(magnified ? sm.bilinear_mag : sm.bilinear_min)) {
        int x = u >> 8, y = v >> 8;
        x = sm.wrap_s ? x & wmax : clamp_int(x, 0, wmax);
        y = sm.wrap_t ? y & hmax : clamp_int(y, 0, hmax);
        return level.texels[(y << level.width_shift) + x];
    }

    // Bilinear: texel centres sit at half-texel positions.
    u -= 128;
    v -= 128;
    int x0 = u >> 8, y0 = v >> 8, x1 = x0 + 1, y1 = y0 + 1;
    if (sm.wrap_s) {
        x0 &= wmax;
        x1 &= wmax;
    } else {
        x0 = clamp_int(x0, 0, wmax);
        x1 = clamp_int(x1, 0, wmax);
    }
    if (sm.wrap_t) {
        y0 &= hmax;
        y1 &= hmax;
    } else {
        y0 = clamp_int(y0, 0, hmax);
        y1 = clamp_int(y1, 0, hmax);
    }
    const uint32_t *row0 = level.texels + (y0 << level.width_shift);
    const uint32_t *row1 = level.texels + (y1 << level.width_shift);
    uint32_t fu = (uint32_t)u & 255, fv = (uint32_t)v & 255;
    return lerp_argb(lerp_argb(row0[x0], row0[x1], fu), lerp_argb(row1[x0], row1[x1], fu), fv);
}

// An iterated colour channel over a span, in 16.16 fixed point: the ends are
// evaluated and held to 0..255, and the step goes from one end to the other,
// so every pixel stays in range without a test.
inline void colour_span(const Plane &p, double px, double py, int n, int32_t *value, int32_t *step) {
    auto held = [](double v) {
        v = v > 0.0 ? v : 0.0;
        return v < 255.0 ? v : 255.0;
    };
    double first = held(p.at + p.dx * px + p.dy * py);
    *value = (int32_t)(first * 65536.0);
    *step = 0;
    if (n > 1) {
        double last = held(p.at + p.dx * (px + n - 1) + p.dy * py);
        *step = (int32_t)((last - first) * 65536.0 / (n - 1));
    }
}

template <CombineMode C, QMode Q>
void draw_span(const Raster &ra, int y, int xa, int xb) {
    constexpr bool TEXTURED = C == CC_DECAL || C == CC_TEXTURE_TIMES_ITERATED;
    constexpr bool ITERATED = C == CC_ITERATED || C == CC_TEXTURE_TIMES_ITERATED;
    constexpr bool PERSPECTIVE = TEXTURED && Q != Q_AFFINE;
    const int n = xb - xa;
    const double px = xa + 0.5 - ra.x0, py = y + 0.5 - ra.y0;
    auto at = [&](const Plane &p) { return (float)(p.at + p.dx * px + p.dy * py); };

    float oow = at(ra.oow);
    const float doow = (float)ra.oow.dx;

    float s = 0, t = 0, ds = 0, dt = 0, q = 0, dq = 0;
    float rho2x = 0, nsy = 0, nty = 0, dnsy = 0, dnty = 0;
    if (TEXTURED) {
        s = at(ra.s);
        t = at(ra.t);
        ds = (float)ra.s.dx;
        dt = (float)ra.t.dx;
    }
    if (PERSPECTIVE) {
        // With s = S/q, ds/dx = (S_x q - S q_x) / q^2. The numerator is the
        // same all along a row, and that of ds/dy changes by a constant per
        // pixel; q^2 is divided out in pixel_lod.
        const Plane &qp = Q == Q_OOW ? ra.oow : ra.q;
        q = at(qp);
        dq = (float)qp.dx;
        float nsx = (float)ra.s.dx * q - s * (float)qp.dx;
        float ntx = (float)ra.t.dx * q - t * (float)qp.dx;
        rho2x = nsx * nsx + ntx * ntx;
        nsy = (float)ra.s.dy * q - s * (float)qp.dy;
        nty = (float)ra.t.dy * q - t * (float)qp.dy;
        dnsy = (float)(ra.s.dy * qp.dx - ra.s.dx * qp.dy);
        dnty = (float)(ra.t.dy * qp.dx - ra.t.dx * qp.dy);
    }

    int32_t r = 0, g = 0, b = 0, dr = 0, dg = 0, db = 0;
    if (ITERATED) {
        colour_span(ra.r, px, py, n, &r, &dr);
        colour_span(ra.g, px, py, n, &g, &dg);
        colour_span(ra.b, px, py, n, &b, &db);
    }
    const unsigned cr = ra.constant_rgb >> 16 & 0xFF, cg = ra.constant_rgb >> 8 & 0xFF,
                   cb = ra.constant_rgb & 0xFF;

    uint16_t *colour = ra.colour + (size_t)y * lumivex::SCREEN_WIDTH;
    uint16_t *depth = ra.depth ? ra.depth + (size_t)y * lumivex::SCREEN_WIDTH : nullptr;
    const bool depth_test = ra.depth_test, depth_write = ra.depth_write;
    const GrCmpFnc_t depth_function = ra.depth_function;
    const uint8_t *pattern = DITHER_PATTERN[y & 3];
    const Sampler &sm = ra.sampler;
    const int lod_bias = sm.lod_bias;

    for (int x = xa; x < xb; ++x) {
        const float w = 1.0f / oow;
        const uint16_t z = wdepth_code(w);
        if (!depth_test || depth_passes(depth_function, z, depth[x])) {
            const int d = pattern[x & 3];
            uint32_t texel = 0;
            if (TEXTURED) {
                if (PERSPECTIVE) {
                    const float invq = Q == Q_OOW ? w : 1.0f / q;
                    float rho2y = nsy * nsy + nty * nty;
                    int lod = pixel_lod(rho2x > rho2y ? rho2x : rho2y, q) + lod_bias;
                    texel = sample(sm, s * invq, t * invq, lod, d);
                } else {
                    texel = sample(sm, s, t, ra.lod, d);
                }
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
                pr = (unsigned)r >> 16;
                pg = (unsigned)g >> 16;
                pb = (unsigned)b >> 16;
                break;
            case CC_DECAL:
                pr = texel >> 16 & 0xFF;
                pg = texel >> 8 & 0xFF;
                pb = texel & 0xFF;
                break;
            default:  // texture times iterated: x (c + 1) / 256 keeps 255 as 255 and 0 as 0
                pr = (texel >> 16 & 0xFF) * (((unsigned)r >> 16) + 1) >> 8;
                pg = (texel >> 8 & 0xFF) * (((unsigned)g >> 16) + 1) >> 8;
                pb = (texel & 0xFF) * (((unsigned)b >> 16) + 1) >> 8;
                break;
            }
            colour[x] = dither_rgb565(d, pr, pg, pb);
            if (depth_write) depth[x] = z;
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

template <CombineMode C>
SpanFunction for_q(QMode q_mode) {
    switch (q_mode) {
    case Q_OOW: return draw_span<C, Q_OOW>;
    case Q_SEPARATE: return draw_span<C, Q_SEPARATE>;
    default: return draw_span<C, Q_AFFINE>;
    }
}

}  // namespace

SpanFunction span_function(CombineMode combine, QMode q_mode) {
    switch (combine) {
    case CC_ZERO: return draw_span<CC_ZERO, Q_AFFINE>;
    case CC_CONSTANT: return draw_span<CC_CONSTANT, Q_AFFINE>;
    case CC_ITERATED: return draw_span<CC_ITERATED, Q_AFFINE>;
    case CC_DECAL: return for_q<CC_DECAL>(q_mode);
    default: return for_q<CC_TEXTURE_TIMES_ITERATED>(q_mode);
    }
}
