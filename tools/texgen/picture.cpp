// picture.cpp - the deterministic arithmetic the designs are drawn with, mip
// chains, and the RGB565 encoder.
#include "texgen.h"

#include <cmath>

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double k)
{
    return {c.r * k, c.g * k, c.b * k};
}

double wave(double turns)
{
    double x = turns - std::floor(turns);  // [0, 1)
    double sign = 1.0;
    if (x >= 0.5) {
        x -= 0.5;
        sign = -1.0;
    }
    if (x > 0.25)
        x = 0.5 - x;
    // Taylor series of sin on [0, pi/2], through the 13th power.
    double t = x * 6.283185307179586, t2 = t * t;
    double s = 1.0 - t2 / 156.0;
    for (int n = 11; n >= 3; n -= 2)
        s = 1.0 - t2 / double(n * (n - 1)) * s;
    return sign * t * s;
}

double clamp01(double x)
{
    return x < 0.0 ? 0.0 : x > 1.0 ? 1.0 : x;
}

double smoothstep(double edge0, double edge1, double x)
{
    double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double hash01(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = x * 0x9E3779B1u ^ y * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return double(h >> 8) / 16777216.0;
}

double tiled_noise(double x, double y, int cells_x, int cells_y, uint32_t seed)
{
    double gx = x * cells_x / 256.0, gy = y * cells_y / 256.0;
    double fx = std::floor(gx), fy = std::floor(gy);
    double tx = gx - fx, ty = gy - fy;
    tx = tx * tx * (3.0 - 2.0 * tx);
    ty = ty * ty * (3.0 - 2.0 * ty);
    auto cell = [](double v, int cells) { return uint32_t(((long(v) % cells) + cells) % cells); };
    uint32_t x0 = cell(fx, cells_x), x1 = cell(fx + 1, cells_x), y0 = cell(fy, cells_y),
             y1 = cell(fy + 1, cells_y);
    double top = hash01(x0, y0, seed) + (hash01(x1, y0, seed) - hash01(x0, y0, seed)) * tx;
    double bottom = hash01(x0, y1, seed) + (hash01(x1, y1, seed) - hash01(x0, y1, seed)) * tx;
    return top + (bottom - top) * ty;
}

std::vector<Picture> box_chain(const Picture &top)
{
    std::vector<Picture> chain{top};
    while (chain.back().size > 1) {
        const Picture &big = chain.back();
        Picture small(big.size / 2);
        for (int y = 0; y < small.size; ++y)
            for (int x = 0; x < small.size; ++x) {
                Rgb a = big.at(2 * x, 2 * y), b = big.at(2 * x + 1, 2 * y);
                Rgb c = big.at(2 * x, 2 * y + 1), d = big.at(2 * x + 1, 2 * y + 1);
                small.at(x, y) = {(a.r + b.r + c.r + d.r) / 4.0, (a.g + b.g + c.g + d.g) / 4.0,
                                  (a.b + b.b + c.b + d.b) / 4.0};
            }
        chain.push_back(small);
    }
    return chain;
}

namespace {

const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

unsigned quantise(double v, int levels, double dither)
{
    double q = std::floor(v * levels / 255.0 + dither);
    return unsigned(q < 0 ? 0 : q > levels ? levels : q);
}

}  // namespace

Texture encode_rgb565(const std::vector<Picture> &chain)
{
    Texture t;
    t.format = GR_TEXFMT_RGB_565;
    for (const Picture &level : chain)
        for (int y = 0; y < level.size; ++y)
            for (int x = 0; x < level.size; ++x) {
                double d = (BAYER[y & 3][x & 3] + 0.5) / 16.0;
                const Rgb &c = level.at(x, y);
                t.texels.push_back(
                    uint16_t(quantise(c.r, 31, d) << 11 | quantise(c.g, 63, d) << 5 | quantise(c.b, 31, d)));
            }
    return t;
}
