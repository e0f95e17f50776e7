// texgen.h - the texture generator's pieces: pictures in floating point,
// the deterministic arithmetic they are drawn with, mip chains, the two
// encoders and the 3DF writer.
//
// Only +, -, *, /, sqrt and floor are used on floating-point values: IEEE
// rounds each of them exactly, so the files come out byte for byte the same
// with any compiler and C library (the build forbids fused multiply-add).
// Waves and noise are our own functions, not the C library's sin or rand.
#ifndef LUMIVEX_TEXGEN_H
#define LUMIVEX_TEXGEN_H

#include <glide.h>

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    double r, g, b;  // 0 to 255
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double k);

// A square picture, row by row from the top.
struct Picture {
    int size;
    std::vector<Rgb> px;
    explicit Picture(int n) : size(n), px(size_t(n) * size_t(n), Rgb{0, 0, 0}) {}
    Rgb &at(int x, int y) { return px[size_t(y) * size_t(size) + size_t(x)]; }
    const Rgb &at(int x, int y) const { return px[size_t(y) * size_t(size) + size_t(x)]; }
};

// sin(2 pi turns), to about 1e-9.
double wave(double turns);
double clamp01(double x);
double smoothstep(double edge0, double edge1, double x);
// A deterministic value in [0, 1) for a lattice point.
double hash01(uint32_t x, uint32_t y, uint32_t seed);
// Smooth value noise in [0, 1) with cells_x by cells_y lattice cells across
// 256 by 256 texels, wrapping at 256 in both directions.
double tiled_noise(double x, double y, int cells_x, int cells_y, uint32_t seed);

// The whole chain from a 256x256 picture down to 1x1, each level the 2x2
// box average of the one before.
std::vector<Picture> box_chain(const Picture &top);

// A 3DF texture ready to write: square, from 256x256 down to 1x1.
struct Texture {
    GrTextureFormat_t format;
    GuTexTable table{};            // the NCC table, when the format has one
    std::vector<uint16_t> texels;  // every level, largest first; 8-bit formats use the low byte
};

// RGB565 with a 4x4 ordered dither, which bilinear filtering smooths back
// into the gradient that plain rounding would turn into bands.
Texture encode_rgb565(const std::vector<Picture> &chain);
// YIQ_422 with a table fitted to the chain; see ncc.cpp.
Texture encode_yiq(const std::vector<Picture> &chain);

bool write_3df(const std::string &path, const Texture &texture);

// The three designs.
Picture logo_picture();
Picture torus_picture();
std::vector<Picture> cube_chain();

#endif
