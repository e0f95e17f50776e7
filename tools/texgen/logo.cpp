// logo.cpp - the logo's texture: a chrome sunset. The front of the letters
// maps u across the whole word and v from the letters' top (row 0) to their
// foot, so the picture reads top to bottom on every letter: a banded sky
// from indigo to gold, a white-hot horizon, and below it a dark glassy floor
// with a glowing perspective grid whose lines fan out from the middle of the
// word. The sides of the letters repeat the edge texels.
#include "texgen.h"

#include <cmath>

namespace {

constexpr double HORIZON = 0.56;  // of the letters' height

struct Stop {
    double at;
    Rgb colour;
};

Rgb ramp(const Stop *stops, int n, double v)
{
    if (v <= stops[0].at)
        return stops[0].colour;
    for (int k = 1; k < n; ++k)
        if (v <= stops[k].at)
            return mix(stops[k - 1].colour, stops[k].colour,
                       (v - stops[k - 1].at) / (stops[k].at - stops[k - 1].at));
    return stops[n - 1].colour;
}

const Stop SKY[] = {
    {0.00, {72, 44, 160}},   {0.22, {128, 56, 186}},  {0.38, {226, 80, 164}},
    {0.48, {255, 136, 104}}, {0.54, {255, 210, 140}}, {HORIZON, {255, 246, 214}},
};
const Stop FLOOR[] = {
    {HORIZON, {150, 60, 175}},
    {0.70, {112, 44, 150}},
    {1.00, {190, 110, 215}},
};
const Rgb GRID = {255, 110, 235};
const Rgb WHITE = {255, 255, 255};

// Distance from x to the nearest whole multiple of period, in periods.
double to_nearest(double x, double period)
{
    double k = x / period;
    double frac = k - std::floor(k);
    return frac < 0.5 ? frac : 1.0 - frac;
}

Rgb sky(double y, double v)
{
    Rgb c = ramp(SKY, 6, v);
    // Fine bands, thicker towards the horizon like the stripes of a setting sun.
    double band = to_nearest(y, 12.0) * 12.0;  // texels from the band's centre
    double width = 0.6 + 1.6 * v / HORIZON;
    double dark = 1.0 - 0.22 * (1.0 - smoothstep(width - 0.8, width + 0.8, band));
    return scale(c, dark);
}

Rgb floor_at(double x, double y, double v)
{
    Rgb c = ramp(FLOOR, 3, v);
    double depth = (v - HORIZON) / (1.0 - HORIZON);  // 0 at the horizon, 1 at the foot
    // Cross lines at equal steps of distance: closer together near the horizon.
    double line = 1e9;
    for (int k = 1; k <= 7; ++k) {
        double at = (HORIZON + (1.0 - HORIZON) * (k * k) / 49.0) * 256.0;
        double d = y - at;
        line = d * d < line * line ? d : line;
    }
    double cross = 1.0 - smoothstep(0.4, 1.6, line < 0 ? -line : line);
    // Lines fanning out from the vanishing point in the middle of the word.
    // They fade out where they crowd together, before they would alias.
    double spacing = 44.0 * depth;
    double fan = spacing > 1.0 ? 1.0 - smoothstep(0.4, 1.6, to_nearest(x - 128.0, spacing) * spacing) : 0.0;
    fan *= smoothstep(4.0, 14.0, spacing);
    double glow = cross > fan ? cross : fan;
    c = mix(c, GRID, glow * (0.55 + 0.45 * depth));
    // The horizon's own glow spills onto the floor.
    return mix(c, Rgb{255, 190, 220}, 0.5 * (1.0 - smoothstep(0.0, 0.08, depth)));
}

}  // namespace

Picture logo_picture()
{
    Picture p(256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            double v = (y + 0.5) / 256.0, xc = x + 0.5, yc = y + 0.5;
            Rgb c = v < HORIZON ? sky(yc, v) : floor_at(xc, yc, v);
            // The white-hot horizon line.
            double h = (v - HORIZON) * 256.0;
            c = mix(c, WHITE, 1.0 - smoothstep(1.0, 3.0, h < 0 ? -h : h));
            p.at(x, y) = {clamp01(c.r / 255.0) * 255.0, clamp01(c.g / 255.0) * 255.0,
                          clamp01(c.b / 255.0) * 255.0};
        }
    return p;
}
