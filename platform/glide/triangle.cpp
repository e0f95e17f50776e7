// triangle.cpp - guDrawTriangleWithClip: triangle setup. The corners go
// to the 1/16 pixel grid (coverage.h); the attributes (r, g, b, the oow of
// the vertex and the texture unit's sow, tow and oow) become planes over the
// screen, computed once in double precision, and everything the pixels need
// is gathered in a Raster for the bands.
#include "bands.h"
#include "coverage.h"
#include "device.h"
#include "raster.h"
#include "texmem.h"
#include "trace.h"

#include <cmath>
#include <utility>

namespace {

// No defaults: the caller sets what it uses, and zeroing three corners a
// triangle shows in a profile.
struct Corner {
    double x, y;  // pixels
    double oow, s, t, q, r, g, b;
};

// The corners' offsets from the first, shared by all attribute planes.
struct Frame {
    double x1, y1, x2, y2, inverse_area;
    double x0, y0;
};

// The plane through the three corners' values of one attribute.
Plane plane(const Corner c[3], double Corner::*value, const Frame &f)
{
    double d1 = c[1].*value - c[0].*value, d2 = c[2].*value - c[0].*value;
    double dx = (d1 * f.y2 - d2 * f.y1) * f.inverse_area;
    double dy = (d2 * f.x1 - d1 * f.x2) * f.inverse_area;
    Plane p;
    p.at = (float)(c[0].*value - dx * f.x0 - dy * f.y0);
    p.dx = (float)dx;
    p.dy = (float)dy;
    return p;
}

bool finite(const Plane &p)
{
    return std::isfinite(p.at) && std::isfinite(p.dx) && std::isfinite(p.dy);
}

// A colour's step per pixel in 16.16; beyond a whole range per pixel the
// span loop takes its own.
int32_t colour_step(const Plane &p)
{
    float d = p.dx > -256.0f ? (p.dx < 256.0f ? p.dx : 256.0f) : -256.0f;
    return (int32_t)(d * 65536.0f);
}

// Sets up the whole-number texture path if the triangle can take it.
void set_affine_texture(Raster &ra)
{
    const Sampler &sm = ra.sampler;
    if (!sm.levels || !sm.bilinear_min || !sm.bilinear_mag || !sm.wrap_s || !sm.wrap_t)
        return;
    AffineTexture &a = ra.affine;
    const int fine = level_index(sm, ra.lod, 0), coarse = level_index(sm, ra.lod, 15);
    // The cells that round up are those from d0 on, where lod + 16 d0 + 8
    // first reaches the next whole level.
    a.coarse_cells = 0;
    if (coarse != fine) {
        const int next = (((ra.lod + 8) >> 8) + 1) * 256;
        const int d0 = (next - (ra.lod + 8) + 15) >> 4;
        a.coarse_cells = 0xFFFFu << d0 & 0xFFFFu;
    }
    for (int i = 0; i < 2; ++i) {
        const TexLevel &level = sm.levels[i == 0 ? fine : coarse];
        a.levels[i] = {level.texels, (uint32_t)level.width - 1, (uint32_t)level.height - 1,
                       (uint32_t)level.stride};
    }
    a.scale = sm.levels[fine].to_256th * 256.0f;  // a power of two: exact
    a.du = wrapped_fixed(ra.s.dx * a.scale);
    a.dv = wrapped_fixed(ra.t.dx * a.scale);
    ra.fast_texture = true;
}

CombineMode combine_mode()
{
    switch (glide.colour_combine) {
    case GR_COLORCOMBINE_ZERO: return CC_ZERO;
    case GR_COLORCOMBINE_CCRGB: return CC_CONSTANT;
    case GR_COLORCOMBINE_DECAL_TEXTURE: return CC_DECAL;
    case GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB: return CC_TEXTURE_TIMES_ITERATED;
    default: return CC_ITERATED;
    }
}

void set_sampler(Sampler &sm)
{
    const TexModes &tmu = glide.tmu.modes;
    const MipMap *m = glide.tmu.source;
    if (!m)
        return;  // nothing selected: white
    sm.levels = m->levels;
    sm.level_count = m->level_count;
    sm.large_lod = m->large_lod;
    sm.mipmap_mode = tmu.mipmap_mode;
    float bias = tmu.lod_bias;
    bias = bias > -8.0f ? (bias < 8.0f ? bias : 8.0f) : -8.0f;
    sm.lod_bias = (int)std::lround(bias * 256.0f);
    sm.wrap_s = tmu.clamp_s == GR_TEXTURECLAMP_WRAP;
    sm.wrap_t = tmu.clamp_t == GR_TEXTURECLAMP_WRAP;
    sm.bilinear_min = tmu.minfilter == GR_TEXTUREFILTER_BILINEAR;
    sm.bilinear_mag = tmu.magfilter == GR_TEXTUREFILTER_BILINEAR;
}

}  // namespace

void FX_CALL guDrawTriangleWithClip(const GrVertex *va, const GrVertex *vb, const GrVertex *vc)
{
    trace_triangle(va, vb, vc);
    if (!glide.open || !va || !vb || !vc)
        return;

    const CombineMode combine = combine_mode();
    const bool textured = combine == CC_DECAL || combine == CC_TEXTURE_TIMES_ITERATED;
    const bool iterated = combine == CC_ITERATED || combine == CC_TEXTURE_TIMES_ITERATED;
    // The texture unit divides by its own 1/w only while the hint says that
    // it differs from the vertex's; by default the vertex's oow is used.
    const bool own_q = (glide.stw_hint & GR_STWHINT_W_DIFF_TMU0) != 0;

    // The program's positions, in its 640x480 screen, scaled to the pixels
    // drawn: exact, and still on the 1/16 grid the program snapped them to.
    const double res = glide.resolution;
    Corner c[3];
    Corners outline = {};
    const GrVertex *v[3] = {va, vb, vc};
    for (int i = 0; i < 3; ++i) {
        const GrVertex &g = *v[i];
        Corner &k = c[i];
        if (!std::isfinite(g.x) || !std::isfinite(g.y) || !std::isfinite(g.oow))
            return;
        k.oow = g.oow;
        k.s = g.tmuvtx[0].sow;
        k.t = g.tmuvtx[0].tow;
        k.q = own_q ? g.tmuvtx[0].oow : g.oow;
        k.r = g.r;
        k.g = g.g;
        k.b = g.b;
        if (textured && !(std::isfinite(k.s) && std::isfinite(k.t) && std::isfinite(k.q)))
            return;
        if (iterated && !(std::isfinite(k.r) && std::isfinite(k.g) && std::isfinite(k.b)))
            return;
        k.x = g.x * res;
        k.y = g.y * res;
        outline.far = outline.far || std::fabs(k.x) >= EXACT_LIMIT || std::fabs(k.y) >= EXACT_LIMIT;
    }
    // The planes go through the corners as coverage sees them: on the grid.
    for (int i = 0; i < 3; ++i) {
        outline.pixels[i][0] = c[i].x;
        outline.pixels[i][1] = c[i].y;
        if (!outline.far) {
            FixedPoint &p = outline.fixed[i];
            p = {to_fixed(c[i].x), to_fixed(c[i].y)};
            c[i].x = p.X / 16.0;
            c[i].y = p.Y / 16.0;
        }
    }

    double area;
    if (outline.far)
        area = (c[1].x - c[0].x) * (c[2].y - c[0].y) - (c[2].x - c[0].x) * (c[1].y - c[0].y);
    else
        area = fixed_area(outline.fixed[0], outline.fixed[1], outline.fixed[2]) / 256.0;
    if (area < 0) {
        std::swap(c[1], c[2]);
        std::swap(outline.fixed[1], outline.fixed[2]);
        std::swap(outline.pixels[1], outline.pixels[2]);
        area = -area;
    }
    if (area == 0 || !std::isfinite(area))
        return;

    const Frame frame = {c[1].x - c[0].x, c[1].y - c[0].y, c[2].x - c[0].x, c[2].y - c[0].y,
                         1.0 / area,      c[0].x,          c[0].y};
    Raster ra;
    ra.oow = plane(c, &Corner::oow, frame);
    if (!finite(ra.oow))
        return;
    if (iterated) {
        ra.r = plane(c, &Corner::r, frame);
        ra.g = plane(c, &Corner::g, frame);
        ra.b = plane(c, &Corner::b, frame);
        if (!finite(ra.r) || !finite(ra.g) || !finite(ra.b))
            return;
        ra.dr = colour_step(ra.r);
        ra.dg = colour_step(ra.g);
        ra.db = colour_step(ra.b);
    }
    if (textured) {
        if (c[0].q == c[1].q && c[0].q == c[2].q) {
            // One q for the whole triangle: s/q and t/q are linear themselves,
            // and so is the level of detail.
            ra.q_mode = Q_AFFINE;
            for (Corner &k : c) {
                k.s /= k.q;
                k.t /= k.q;
            }
        } else {
            ra.q_mode = own_q ? Q_SEPARATE : Q_OOW;
            ra.q = plane(c, &Corner::q, frame);
            if (!finite(ra.q))
                return;
        }
        ra.s = plane(c, &Corner::s, frame);
        ra.t = plane(c, &Corner::t, frame);
        if (!finite(ra.s) || !finite(ra.t))
            return;
        set_sampler(ra.sampler);
        if (ra.q_mode == Q_AFFINE) {
            double rho2 =
                std::max(ra.s.dx * ra.s.dx + ra.t.dx * ra.t.dx, ra.s.dy * ra.s.dy + ra.t.dy * ra.t.dy);
            double lod = rho2 > 0 ? 128.0 * std::log2(rho2) : -1e9;  // 256 x 0.5 log2
            lod = lod > -65536.0 ? (lod < 65536.0 ? lod : 65536.0) : -65536.0;
            ra.lod = (int)std::floor(lod) + ra.sampler.lod_bias;
            set_affine_texture(ra);
        }
    }
    ra.constant_rgb = colour_to_rgb(glide.constant_colour);
    ra.colour = render_target();
    ra.stride = glide.width;
    if (glide.has_depth && glide.depth_mode == GR_DEPTHBUFFER_WBUFFER) {
        ra.depth = glide.depth.data();
        ra.depth_test = true;
        ra.depth_write = glide.depth_mask;
        ra.depth_function = glide.depth_function;
    }

    ra.loops = glide.spans.loops[combine][ra.q_mode][ra.fast_texture][ra.affine.coarse_cells != 0];
    if (!ra.depth_test || !ra.depth_write || ra.depth_function != GR_CMP_LESS)
        ra.loops.resolve = ra.loops.shade = nullptr;
    bands_triangle(ra, outline);
    bands_call_done();
}
