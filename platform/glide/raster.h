// raster.h - what triangle setup (triangle.cpp) hands the span loops
// (span.cpp): the triangle's attribute planes and everything the pixels need,
// gathered once per triangle so that the inner loops read flat data only.
#ifndef LUMIVEX_GLIDE_RASTER_H
#define LUMIVEX_GLIDE_RASTER_H

#include "texmem.h"

#include <glide.h>

#include <cstdint>

// A value iterated linearly in screen space: at pixel point (x, y) it is
// at + dx (x - x0) + dy (y - y0), (x0, y0) being the raster's reference point.
struct Plane {
    double at = 0, dx = 0, dy = 0;
};

// How texture coordinates reach a pixel.
enum QMode {
    Q_AFFINE,    // q is the same at the three corners: s and t are linear
    Q_OOW,       // q is the vertex oow, already divided for the depth
    Q_SEPARATE,  // q is the texture unit's own oow
};

// The colour paths the library implements.
enum CombineMode { CC_ZERO, CC_CONSTANT, CC_ITERATED, CC_DECAL, CC_TEXTURE_TIMES_ITERATED };

struct Sampler {
    const TexLevel *levels = nullptr;  // null: no texture, white is sampled
    int level_count = 0;
    int large_lod = 0;
    GrMipMapMode_t mipmap_mode = GR_MIPMAP_DISABLE;
    int lod_bias = 0;  // in 1/256 levels
    bool wrap_s = true, wrap_t = true;
    bool bilinear_min = true, bilinear_mag = true;
    float scale[MAX_LEVELS] = {};  // s units to 1/256 texels of each level
};

struct Raster {
    double x0 = 0, y0 = 0;
    Plane oow, s, t, q;  // s and t are s/q and t/q when the q mode is Q_AFFINE
    Plane r, g, b;       // 0 to 255
    QMode q_mode = Q_AFFINE;
    int lod = 0;  // in 1/256 levels, for Q_AFFINE

    Sampler sampler;
    uint32_t constant_rgb = 0;

    uint16_t *colour = nullptr;  // the render buffer, 640 pixels a row
    uint16_t *depth = nullptr;   // null: no depth buffer
    bool depth_test = false, depth_write = false;
    GrCmpFnc_t depth_function = GR_CMP_LESS;
};

// Draws pixels x0 <= x < x1 of row y, all inside the clip window.
typedef void (*SpanFunction)(const Raster &raster, int y, int x0, int x1);

// The span loop for a colour path and q mode.
SpanFunction span_function(CombineMode combine, QMode q_mode);

#endif
