// test_coverage.cpp - coverage on its own: corners and a clip window in,
// spans out, checked pixel by pixel against the rule itself (a pixel is
// covered when its centre is inside all three edges, or on a top or left
// one).
#include "platform/glide/coverage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int W = 96, H = 80;

// Each pixel's count of the spans that cover it; false if a span is empty,
// out of order (rows only grow) or shares a row with another.
bool paint(const Span *begin, const Span *end, std::vector<int> &count)
{
    bool sound = true;
    for (const Span *s = begin; s < end; ++s) {
        sound = sound && s->xa < s->xb && (s == begin || s->y > s[-1].y);
        for (int x = s->xa; x < s->xb; ++x)
            ++count[s->y * W + x];
    }
    return sound;
}

// The rule at the centre of every pixel, in 1/16 pixels: the edge function
// of a to b, positive inside (corners clockwise, y down), or zero on a top
// edge (flat, interior below) or a left edge (going up).
bool inside(const FixedPoint c[3], int64_t px, int64_t py)
{
    for (int i = 0; i < 3; ++i) {
        const FixedPoint &a = c[i], &b = c[(i + 1) % 3];
        const int64_t dx = b.X - a.X, dy = b.Y - a.Y;
        const int64_t e = dx * (py - a.Y) - dy * (px - a.X);
        const bool top_left = dy < 0 || (dy == 0 && dx > 0);
        if (e < 0 || (e == 0 && !top_left))
            return false;
    }
    return true;
}

Corners on_grid(FixedPoint a, FixedPoint b, FixedPoint c)
{
    Corners k = {};
    k.fixed[0] = a;
    k.fixed[1] = fixed_area(a, b, c) < 0 ? c : b;
    k.fixed[2] = fixed_area(a, b, c) < 0 ? b : c;
    return k;
}

// Random 1/16-pixel values, now and then on or beside a pixel centre, a
// pixel's edge or a band's first row (every 16th).
int64_t awkward(std::mt19937 &random, int limit)
{
    const int64_t whole = 16 * (int64_t)(random() % limit);
    switch (random() % 4) {
    case 0: return whole + 8;                            // a centre
    case 1: return whole + 8 + (random() % 2 ? 1 : -1);  // beside it
    case 2: return 16 * 16 * (int64_t)(random() % (limit / 16 + 1)) + (int64_t)(random() % 3) - 1;
    default: return whole + (int64_t)(random() % 16);
    }
}

}  // namespace

// Triangles of every shape, slivers and ones a row high or a column wide
// among them, cover exactly the pixels the rule gives, inside any clip
// window, in one non-empty span a row from the top.
TEST(Coverage, EveryTriangleCoversThePixelsOfTheRule)
{
    std::mt19937 random(5);
    std::vector<int> count(W * H);
    std::vector<Span> spans(H);
    int covered = 0, tried = 0;
    for (int n = 0; n < 6000; ++n) {
        const FixedPoint a = {awkward(random, W + 8) - 64, awkward(random, H + 8) - 64};
        FixedPoint b = {awkward(random, W + 8) - 64, awkward(random, H + 8) - 64}, c;
        switch (n % 4) {
        case 0: c = {awkward(random, W + 8) - 64, awkward(random, H + 8) - 64}; break;
        case 1:
            c = {b.X + (int64_t)(random() % 7) - 3, b.Y + 16 * (int64_t)(random() % 40)};
            break;  // sliver
        case 2: b.Y = a.Y, c = {a.X + (int64_t)(random() % 900), a.Y + (int64_t)(random() % 20)}; break;
        default: b.X = a.X, c = {a.X + (int64_t)(random() % 20), a.Y + (int64_t)(random() % 900)}; break;
        }
        const Corners k = on_grid(a, b, c);
        if (fixed_area(k.fixed[0], k.fixed[1], k.fixed[2]) <= 0)
            continue;
        ClipRect clip;
        if (n % 3) {
            clip = {(int)(random() % 20), (int)(random() % 20), W - (int)(random() % 20),
                    H - (int)(random() % 20)};
        } else {
            clip = {0, 0, W, H};
        }
        std::fill(count.begin(), count.end(), 0);
        ASSERT_TRUE(paint(spans.data(), cover(clip, k, spans.data()), count)) << n;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const bool in = x >= clip.minx && x < clip.maxx && y >= clip.miny && y < clip.maxy &&
                                inside(k.fixed, 16 * x + 8, 16 * y + 8);
                ASSERT_EQ(count[y * W + x], in ? 1 : 0) << n << ": pixel " << x << "," << y;
                covered += in;
            }
        ++tried;
    }
    EXPECT_GT(tried, 4500);
    EXPECT_GT(covered, 300000);
}

// Two far triangles sharing the diagonal of a square around a clip window:
// every pixel inside is covered once, none outside. (Near triangles that
// share an edge are the rule's affair above: each pixel on it is one's.)
TEST(Coverage, FarTrianglesSharingAnEdgeCoverEachPixelOnce)
{
    constexpr int X0 = 5, Y0 = 7, X1 = 91, Y1 = 71;
    std::vector<int> count(W * H);
    const ClipRect clip = {X0, Y0, X1, Y1};
    const double far[4][2] = {{-1e9, -1e9}, {1e9, -1e9}, {1e9, 1e9}, {-1e9, 1e9}};
    std::vector<Span> fan(8 * H);
    const int halves[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (const auto &t : halves) {
        Corners k = {};
        k.far = true;
        for (int i = 0; i < 3; ++i)
            k.pixels[i][0] = far[t[i]][0], k.pixels[i][1] = far[t[i]][1];
        // A far triangle is covered as a fan, each piece from the top: the row order is not for paint to check.
        paint(fan.data(), cover(clip, k, fan.data()), count);
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            ASSERT_EQ(count[y * W + x], x >= X0 && x < X1 && y >= Y0 && y < Y1 ? 1 : 0) << x << "," << y;
}
