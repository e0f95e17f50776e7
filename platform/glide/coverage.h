// coverage.h - which pixels a triangle covers: three corners and a clip
// rectangle in, the covered rows' spans out, top to bottom. Reads nothing
// else, so it can be tried on its own.
//
// Coverage is exact: corners lie on the hardware's 1/16 pixel grid and a
// pixel is covered when its centre lies inside all three edges, decided on
// whole numbers. A centre exactly on an edge belongs to the triangle only if
// that edge is a top edge (horizontal, interior below) or a left edge
// (interior to its right), so two triangles sharing an edge cover each pixel
// along it once, with no gaps, whatever their windings.
#ifndef LUMIVEX_GLIDE_COVERAGE_H
#define LUMIVEX_GLIDE_COVERAGE_H

#include <lumivex_glide.h>

#include <cstdint>

// The clip window: pixels x in [minx, maxx), y in [miny, maxy), in the
// pixels drawn (the program's times the resolution).
struct ClipRect {
    int minx = 0, miny = 0, maxx = lumivex::SCREEN_WIDTH, maxy = lumivex::SCREEN_HEIGHT;
};

// One row of a triangle: pixels xa <= x < xb of row y, inside the clip window.
struct Span {
    int y, xa, xb;
};

// A corner in 1/16 pixels.
struct FixedPoint {
    int64_t X, Y;
};

// Corners at least this far out (in pixels) cannot be put on the grid: the
// edge arithmetic's products would leave 64 bits.
constexpr double EXACT_LIMIT = 16777216.0;

// To the nearest 1/16 pixel (halves away from zero), |v| < EXACT_LIMIT.
int64_t to_fixed(double v);

// Twice the signed area in 1/256 pixels: positive when a, b, c turn
// clockwise on the screen (y down).
int64_t fixed_area(const FixedPoint &a, const FixedPoint &b, const FixedPoint &c);

// A triangle's corners, wound clockwise on the screen (y down): on the grid
// (fixed_area positive), or, when far, in pixels, any of them as far out as
// a float goes (positive area).
struct Corners {
    bool far;
    FixedPoint fixed[3];
    double pixels[3][2];
};

// The spans of the triangle inside clip, top to bottom; returns the end of
// what was written. A far triangle is cut to a band around the clip and
// covered as a fan: a row may then have a span from each of up to seven
// triangles, otherwise one at most.
Span *cover(const ClipRect &clip, const Corners &corners, Span *out);

#endif
