// triangle.cpp - guDrawTriangleWithClip: triangle setup and coverage.
//
// Coverage is exact: corners go to 12.4 fixed point (the hardware's 1/16
// pixel) and a pixel is drawn when its centre lies inside all three edges,
// decided on whole numbers. A centre exactly on an edge belongs to the
// triangle only if that edge is a top edge (horizontal, interior below) or a
// left edge (interior to its right), so two triangles sharing an edge draw
// each pixel along it once, with no gaps, whatever their windings.
//
// Each edge gives, row by row, the first or the last pixel inside it:
// floor(N / D) for an N that grows by a fixed step per row, walked with a
// quotient and a remainder (no division per row). The row's span is the
// intersection of the three edges' limits and the clip window.
//
// The attributes (r, g, b, the oow of the vertex and the texture unit's sow,
// tow and oow) are planes over the screen, computed once in double precision.
#include "bands.h"
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
    int64_t X, Y;  // 1/16 pixels
    double x, y;   // pixels
    double oow, s, t, q, r, g, b;
};

// Corners farther out than this (in pixels) are first clipped to a band of
// GUARD pixels around the clip window, which keeps every product of the edge
// arithmetic well inside 64 bits.
const double EXACT_LIMIT = 16777216.0;
const double GUARD = 4096.0;

int64_t floor_div(int64_t n, int64_t d)
{  // d > 0
    int64_t q = n / d;
    return n % d < 0 ? q - 1 : q;
}

// floor(N / D) while N grows by step each row. The carry of the remainder
// is taken without a branch: it comes and goes at the slope's whim.
struct FloorWalker {
    int64_t q = 0, r = 0, d = 1, step_q = 0, step_r = 0;

    void start(int64_t n, int64_t den, int64_t step)
    {
        d = den;
        q = floor_div(n, d);
        r = n - q * d;
        step_q = floor_div(step, d);
        step_r = step - step_q * d;
    }
    void next()
    {
        r += step_r;
        const int64_t carry = r >= d;
        q += step_q + carry;
        r -= d & -carry;
    }
};

enum EdgeKind { EDGE_LEFT, EDGE_RIGHT, EDGE_FLAT };

struct Edge {
    EdgeKind kind = EDGE_FLAT;
    FloorWalker walker;               // left: first pixel q + 1; right: end (exclusive) -q
    int64_t flat = 0, flat_step = 0;  // flat: the row is inside while flat > 0

    // The edge from a to b, starting at the row whose centre is Yc, for a
    // triangle whose interior is on the side where the edge function
    // E = dx (Y - ay) - dy (X - ax) is positive.
    void start(const Corner &a, const Corner &b, int64_t Yc)
    {
        int64_t dx = b.X - a.X, dy = b.Y - a.Y;
        bool top_left = dy < 0 || (dy == 0 && dx > 0);
        // E at the centre of pixel px of the row is k - 16 dy px; counting
        // the top-left edge's own centres as inside turns E >= 0 into E + 1 > 0.
        int64_t k = dx * (Yc - a.Y) - dy * (8 - a.X) + (top_left ? 1 : 0);
        if (dy < 0) {
            kind = EDGE_LEFT;  // k + 16 |dy| px > 0  <=>  px >= floor(-k / 16|dy|) + 1
            walker.start(-k, -16 * dy, -16 * dx);
        } else if (dy > 0) {
            kind = EDGE_RIGHT;  // k - 16 dy px > 0  <=>  px < ceil(k / 16 dy) = -floor(-k / 16 dy)
            walker.start(-k, 16 * dy, -16 * dx);
        } else {
            kind = EDGE_FLAT;
            flat = k;
            flat_step = 16 * dx;
        }
    }
};

// Rows y0 to y1 between a left and a right edge, and, with a flat edge,
// while flat_k > 0; the walkers are copied in so that the row loop keeps them
// in registers, and handed back at the row after y1.
template <bool FLAT>
Span *walk_rows(FloorWalker &left, FloorWalker &right, int64_t flat_k, int64_t flat_step, int y0, int y1,
                const ClipRect &clip, Span *out)
{
    FloorWalker l = left, r = right;
    const int64_t minx = clip.minx, maxx = clip.maxx;
    for (int y = y0; y <= y1; ++y) {
        const int64_t xa = std::max(minx, l.q + 1), xb = std::min(maxx, -r.q);
        if ((!FLAT || flat_k > 0) && xa < xb)
            *out++ = {y, (int)xa, (int)xb};
        l.next();
        r.next();
        if (FLAT)
            flat_k += flat_step;
    }
    left = l;
    right = r;
    return out;
}

// Draws the pixels whose centres lie inside the triangle, which must have
// positive area in fixed point.
//
// A triangle has a left edge, a right edge and either a flat edge or a second
// edge on one side. Those two meet at a corner M between the other two in
// height; on a row above M the upper one's limit implies the lower one's (the
// lower edge, carried on past M, runs outside the triangle), below M the
// lower one's implies the upper one's, and on a row through M both cross it
// at M with the same rule for a centre on the edge. So one edge a side serves
// each row.
void cover(const Corner &c0, const Corner &c1, const Corner &c2, const Raster *raster, SpanFunction draw)
{
    const ClipRect clip = glide.clip;  // a copy: the spans' stores cannot change it
    int64_t ymin = std::min(c0.Y, std::min(c1.Y, c2.Y)), ymax = std::max(c0.Y, std::max(c1.Y, c2.Y));
    int64_t first = -floor_div(8 - ymin, 16), last = floor_div(ymax - 8, 16);
    if (first < clip.miny)
        first = clip.miny;
    if (last > clip.maxy - 1)
        last = clip.maxy - 1;
    if (first > last || clip.minx >= clip.maxx)
        return;

    const Corner *c[3] = {&c0, &c1, &c2};
    int lefts = 0, rights = 0, flat = -1, single = -1;
    for (int i = 0; i < 3; ++i) {
        const int64_t dy = c[(i + 1) % 3]->Y - c[i]->Y;
        if (dy == 0)
            flat = i;
        else
            ++(dy < 0 ? lefts : rights);
    }
    if (lefts == 0 || rights == 0)
        return;  // no area in fixed point
    auto edge = [&](int i, int64_t row) {
        Edge e;
        e.start(*c[i], *c[(i + 1) % 3], 16 * row + 8);
        return e;
    };

    Span *const spans = bands_span_room();
    Span *end = spans;
    const int y0 = (int)first, y1 = (int)last;
    if (flat >= 0) {
        Edge f = edge(flat, first), a = edge((flat + 1) % 3, first), b = edge((flat + 2) % 3, first);
        Edge &l = a.kind == EDGE_LEFT ? a : b, &r = a.kind == EDGE_LEFT ? b : a;
        end = walk_rows<true>(l.walker, r.walker, f.flat, f.flat_step, y0, y1, clip, end);
    } else {
        // The edge alone on its side, and the pair's upper and lower edges.
        for (int i = 0; i < 3; ++i)
            if ((c[(i + 1) % 3]->Y < c[i]->Y) == (lefts == 1))
                single = i;
        const int after = (single + 1) % 3, before = (single + 2) % 3;
        const bool after_upper = c[after]->Y < c[single]->Y;
        const int upper = after_upper ? after : before, lower = after_upper ? before : after;
        const int64_t corner_y = c[before]->Y;           // M, the corner the single edge does not touch
        const int64_t m = -floor_div(8 - corner_y, 16);  // the first row whose centre is not above M
        Edge o = edge(single, first);
        // Rows from to to between the single edge and one of the pair.
        auto walk = [&](int pair, int64_t from, int64_t to) {
            FloorWalker p = edge(pair, from).walker;
            end = lefts == 2 ? walk_rows<false>(p, o.walker, 1, 0, (int)from, (int)to, clip, end)
                             : walk_rows<false>(o.walker, p, 1, 0, (int)from, (int)to, clip, end);
        };
        if (first < m)
            walk(upper, first, std::min(last, m - 1));
        if (m <= last)
            walk(lower, std::max(first, m), last);
    }
    if (end != spans)
        bands_spans(raster, draw, spans, (int)(end - spans));
}

// To the nearest 1/16 (halves away from zero): corners the program snapped
// are already there.
int64_t to_fixed(double v)
{
    v *= 16.0;
    return (int64_t)(v < 0 ? v - 0.5 : v + 0.5);
}

void set_fixed(Corner &c, double x, double y)
{
    c.X = to_fixed(x);
    c.Y = to_fixed(y);
    c.x = c.X / 16.0;
    c.y = c.Y / 16.0;
}

int64_t fixed_area(const Corner &a, const Corner &b, const Corner &c)
{
    return (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
}

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
    a.scale = sm.levels[fine].to_65536th;
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
    const TmuState &tmu = glide.tmu;
    const MipMap *m = tmu.source;
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

// Clips the polygon to the half-plane where sign * (coordinate - limit) <= 0.
int clip_polygon(const double (*in)[2], int count, double (*out)[2], int axis, double limit, double sign)
{
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const double *a = in[i], *b = in[(i + 1) % count];
        double da = sign * (a[axis] - limit), db = sign * (b[axis] - limit);
        if (da <= 0) {
            out[n][0] = a[0];
            out[n][1] = a[1];
            ++n;
        }
        if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
            double f = da / (da - db);
            out[n][0] = a[0] + (b[0] - a[0]) * f;
            out[n][1] = a[1] + (b[1] - a[1]) * f;
            out[n][axis] = limit;
            ++n;
        }
    }
    return n;
}

// A triangle with far corners: cut to the guard band around the clip window
// and drawn as a fan; the attribute planes stay those of the whole triangle.
void cover_far(const Corner c[3], const Raster *raster, SpanFunction draw)
{
    const ClipRect &clip = glide.clip;
    double a[9][2], b[9][2];
    for (int i = 0; i < 3; ++i) {
        a[i][0] = c[i].x;
        a[i][1] = c[i].y;
    }
    int n = 3;
    n = clip_polygon(a, n, b, 0, clip.minx - GUARD, -1.0);
    n = clip_polygon(b, n, a, 0, clip.maxx + GUARD, 1.0);
    n = clip_polygon(a, n, b, 1, clip.miny - GUARD, -1.0);
    n = clip_polygon(b, n, a, 1, clip.maxy + GUARD, 1.0);
    if (n < 3)
        return;
    Corner p[9];
    for (int i = 0; i < n; ++i)
        set_fixed(p[i], a[i][0], a[i][1]);
    for (int i = 1; i + 1 < n; ++i) {
        if (fixed_area(p[0], p[i], p[i + 1]) > 0)
            cover(p[0], p[i], p[i + 1], raster, draw);
    }
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
    bool far = false;
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
        const double x = g.x * res, y = g.y * res;
        if (std::fabs(x) >= EXACT_LIMIT || std::fabs(y) >= EXACT_LIMIT) {
            far = true;
            k.X = k.Y = 0;
            k.x = x;
            k.y = y;
        } else {
            set_fixed(k, x, y);
        }
    }

    double area;
    if (far) {
        area = (c[1].x - c[0].x) * (c[2].y - c[0].y) - (c[2].x - c[0].x) * (c[1].y - c[0].y);
        if (area < 0) {
            std::swap(c[1], c[2]);
            area = -area;
        }
    } else {
        int64_t fixed = fixed_area(c[0], c[1], c[2]);
        if (fixed < 0) {
            std::swap(c[1], c[2]);
            fixed = -fixed;
        }
        area = fixed / 256.0;
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

    const SpanFunction draw = span_function(combine, ra.q_mode, ra.fast_texture, ra.affine.coarse_cells != 0,
                                            glide.true_colour ? PIXEL_XRGB : PIXEL_RGB565);
    const Raster *raster = bands_raster(ra);
    if (far)
        cover_far(c, raster, draw);
    else
        cover(c[0], c[1], c[2], raster, draw);
    bands_call_done();
}
