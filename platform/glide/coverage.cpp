// coverage.cpp - a triangle's covered spans, walked edge by edge in integers.
//
// Each edge gives, row by row, the first or the last pixel inside it:
// floor(N / D) for an N that grows by a fixed step per row, walked with a
// quotient and a remainder (no division per row). The row's span is the
// intersection of the three edges' limits and the clip window.
#include "coverage.h"

#include <algorithm>
#include <cstring>

namespace {

// Far triangles are first cut to a band of GUARD pixels around the clip
// window, which keeps every product of the edge arithmetic well inside 64
// bits.
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
    void start(const FixedPoint &a, const FixedPoint &b, int64_t Yc)
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

// Clips the polygon to the half-plane where sign * (coordinate - limit) <= 0.
int clip_polygon(const double (*in)[2], int count, double (*out)[2], int axis, double limit, double sign)
{
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const double *a = in[i], *b = in[(i + 1) % count];
        double da = sign * (a[axis] - limit), db = sign * (b[axis] - limit);
        if (da <= 0)
            std::copy(a, a + 2, out[n++]);
        if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
            double f = da / (da - db);
            for (int k = 0; k < 2; ++k)
                out[n][k] = k == axis ? limit : a[k] + (b[k] - a[k]) * f;
            ++n;
        }
    }
    return n;
}

// A triangle has a left edge, a right edge and either a flat edge or a second
// edge on one side. Those two meet at a corner M between the other two in
// height; on a row above M the upper one's limit implies the lower one's (the
// lower edge, carried on past M, runs outside the triangle), below M the
// lower one's implies the upper one's, and on a row through M both cross it
// at M with the same rule for a centre on the edge. So one edge a side serves
// each row.
Span *cover_fixed(const ClipRect &clip, const FixedPoint c[3], Span *out)
{
    int64_t ymin = std::min(c[0].Y, std::min(c[1].Y, c[2].Y)),
            ymax = std::max(c[0].Y, std::max(c[1].Y, c[2].Y));
    int64_t first = -floor_div(8 - ymin, 16), last = floor_div(ymax - 8, 16);
    first = std::max<int64_t>(first, clip.miny);
    last = std::min<int64_t>(last, clip.maxy - 1);
    if (first > last || clip.minx >= clip.maxx)
        return out;

    int lefts = 0, rights = 0, flat = -1, single = -1;
    for (int i = 0; i < 3; ++i) {
        const int64_t dy = c[(i + 1) % 3].Y - c[i].Y;
        if (dy == 0)
            flat = i;
        else
            ++(dy < 0 ? lefts : rights);
    }
    if (lefts == 0 || rights == 0)
        return out;  // no area in fixed point
    auto edge = [&](int i, int64_t row) {
        Edge e;
        e.start(c[i], c[(i + 1) % 3], 16 * row + 8);
        return e;
    };

    const int y0 = (int)first, y1 = (int)last;
    if (flat >= 0) {
        Edge f = edge(flat, first), a = edge((flat + 1) % 3, first), b = edge((flat + 2) % 3, first);
        Edge &l = a.kind == EDGE_LEFT ? a : b, &r = a.kind == EDGE_LEFT ? b : a;
        return walk_rows<true>(l.walker, r.walker, f.flat, f.flat_step, y0, y1, clip, out);
    }
    // The edge alone on its side, and the pair's upper and lower edges.
    for (int i = 0; i < 3; ++i)
        if ((c[(i + 1) % 3].Y < c[i].Y) == (lefts == 1))
            single = i;
    const int after = (single + 1) % 3, before = (single + 2) % 3;
    const bool after_upper = c[after].Y < c[single].Y;
    const int upper = after_upper ? after : before, lower = after_upper ? before : after;
    const int64_t corner_y = c[before].Y;            // M, the corner the single edge does not touch
    const int64_t m = -floor_div(8 - corner_y, 16);  // the first row whose centre is not above M
    Edge o = edge(single, first);
    // Rows from to to between the single edge and one of the pair.
    auto walk = [&](int pair, int64_t from, int64_t to) {
        FloorWalker p = edge(pair, from).walker;
        out = lefts == 2 ? walk_rows<false>(p, o.walker, 1, 0, (int)from, (int)to, clip, out)
                         : walk_rows<false>(o.walker, p, 1, 0, (int)from, (int)to, clip, out);
    };
    if (first < m)
        walk(upper, first, std::min(last, m - 1));
    if (m <= last)
        walk(lower, std::max(first, m), last);
    return out;
}

Span *cover_far(const ClipRect &clip, const double (*c)[2], Span *out)
{
    double a[9][2], b[9][2];
    std::memcpy(a, c, sizeof(double[3][2]));
    int n = 3;
    n = clip_polygon(a, n, b, 0, clip.minx - GUARD, -1.0);
    n = clip_polygon(b, n, a, 0, clip.maxx + GUARD, 1.0);
    n = clip_polygon(a, n, b, 1, clip.miny - GUARD, -1.0);
    n = clip_polygon(b, n, a, 1, clip.maxy + GUARD, 1.0);
    FixedPoint p[9];
    for (int i = 0; i < n; ++i)
        p[i] = {to_fixed(a[i][0]), to_fixed(a[i][1])};
    for (int i = 1; i + 1 < n; ++i) {
        const FixedPoint fan[3] = {p[0], p[i], p[i + 1]};
        if (fixed_area(fan[0], fan[1], fan[2]) > 0)
            out = cover_fixed(clip, fan, out);
    }
    return out;
}

}  // namespace

int64_t to_fixed(double v)
{
    v *= 16.0;
    return (int64_t)(v < 0 ? v - 0.5 : v + 0.5);
}

int64_t fixed_area(const FixedPoint &a, const FixedPoint &b, const FixedPoint &c)
{
    return (b.X - a.X) * (c.Y - a.Y) - (c.X - a.X) * (b.Y - a.Y);
}

Span *cover(const ClipRect &clip, const Corners &corners, Span *out)
{
    return corners.far ? cover_far(clip, corners.pixels, out) : cover_fixed(clip, corners.fixed, out);
}
