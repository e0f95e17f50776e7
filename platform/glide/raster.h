// raster.h - what triangle setup (triangle.cpp) hands the span loops
// (span.cpp): the triangle's attribute planes and everything the pixels need,
// gathered once per triangle so that the inner loops read flat data only.
#ifndef LUMIVEX_GLIDE_RASTER_H
#define LUMIVEX_GLIDE_RASTER_H

#include "coverage.h"
#include "dither.h"

#include <glide.h>

#include <cstdint>

// A value iterated linearly in screen space: at pixel point (x, y) it is
// at + dx x + dy y: the origin is the screen's corner, which keeps floats
// precise wherever the triangle's corners lie.
struct Plane {
    float at = 0, dx = 0, dy = 0;
};

// How texture coordinates reach a pixel.
enum QMode {
    Q_AFFINE,    // q is the same at the three corners: s and t are linear
    Q_OOW,       // q is the vertex oow, already divided for the depth
    Q_SEPARATE,  // q is the texture unit's own oow
    Q_MODES
};

// The colour paths the library implements.
enum CombineMode { CC_ZERO, CC_CONSTANT, CC_ITERATED, CC_DECAL, CC_TEXTURE_TIMES_ITERATED, COMBINE_MODES };

struct TexLevel;  // texmem.h

// How a mip-map is sampled, as it was allocated (texmem.h): the texture unit
// takes these with the mip-map (guTexSource), grTexClampMode changes its
// clamp modes there, and triangle setup makes a triangle's Sampler of them.
struct TexModes {
    GrTextureClampMode_t clamp_s = GR_TEXTURECLAMP_WRAP, clamp_t = GR_TEXTURECLAMP_WRAP;
    GrTextureFilterMode_t minfilter = GR_TEXTUREFILTER_BILINEAR, magfilter = GR_TEXTUREFILTER_BILINEAR;
    GrMipMapMode_t mipmap_mode = GR_MIPMAP_NEAREST_DITHER;
    float lod_bias = 0.0f;
};

struct Sampler {
    const TexLevel *levels = nullptr;  // null: no texture, white is sampled
    int level_count = 0;
    int large_lod = 0;
    GrMipMapMode_t mipmap_mode = GR_MIPMAP_DISABLE;
    int lod_bias = 0;  // in 1/256 levels
    bool wrap_s = true, wrap_t = true;
    bool bilinear_min = true, bilinear_mag = true;
};

// The show's texture path, set up once per triangle when q is the same at
// all corners, the filter is bilinear and both coordinates wrap: s and t are
// stepped in whole numbers (1/256 texel of the finer level), and each pixel
// takes the finer or the coarser of two levels as its dither cell says.
struct AffineTexture {
    unsigned coarse_cells = 0;  // bit d: dither cell d takes levels[1]
    struct Level {
        const uint32_t *texels;
        uint32_t width_mask, height_mask;
        uint32_t stride;
    } levels[2];
    float scale = 0;          // s units to 1/65536 texels of levels[0]
    uint32_t du = 0, dv = 0;  // per pixel, in those units
};

// Which of a run of triangles drawn into a band of rows owns each of its
// pixels: the last whose depth test passed there. Rows from first_row, each
// as wide as the raster's.
struct Owners {
    uint16_t *rows;
    int first_row;
};

// A pass over a triangle's spans in a run: the depth pass tests and writes
// depth as the span loop does and marks the pixels that pass as id's; the
// shading pass then draws as the span loop does, but only the pixels marked
// id's, and no depth. So each pixel is shaded once, by its owner, to the
// colour that drawing the run triangle by triangle leaves there. Returns
// whether any pixel passed (the depth pass; the shading pass says true).
struct Raster;
typedef bool (*OwnedFunction)(const Raster &raster, const Span *spans, int count, const Owners *owners,
                              uint16_t id);

// Draws a triangle's spans, top to bottom.
typedef void (*SpanFunction)(const Raster &raster, const Span *spans, int count);

// A span loop, and its two passes where it has them.
struct SpanLoops {
    SpanFunction draw = nullptr;
    OwnedFunction resolve = nullptr, shade = nullptr;
};

struct Raster {
    Plane oow, s, t, q;              // s and t are s/q and t/q when the q mode is Q_AFFINE
    Plane r, g, b;                   // 0 to 255
    int32_t dr = 0, dg = 0, db = 0;  // per pixel, 16.16
    QMode q_mode = Q_AFFINE;
    int lod = 0;  // in 1/256 levels, for Q_AFFINE

    Sampler sampler;
    bool fast_texture = false;
    AffineTexture affine;
    uint32_t constant_rgb = 0;

    void *colour = nullptr;     // the render buffer, stride pixels a row, in the span function's format
    uint16_t *depth = nullptr;  // null: no depth buffer; stride pixels a row too
    int stride = 0;
    bool depth_test = false, depth_write = false;
    GrCmpFnc_t depth_function = GR_CMP_LESS;

    // The state's span loop, with its passes where it has them and the depth
    // test is the show's (less, written); otherwise they are null.
    SpanLoops loops;
};

// The level (index into levels) that a pixel with level of detail lod (in
// 1/256 levels) and dither cell d samples. Level of detail n means the level
// 2^n times smaller than the 256 one. Dithered mip-mapping rounds up where the
// fraction exceeds the pixel's place in the 4x4 pattern, so neighbouring
// pixels mix the two nearest levels in proportion to the fraction.
inline int level_index(const Sampler &sm, int lod, int d)
{
    int index = 0;
    if (sm.mipmap_mode == GR_MIPMAP_NEAREST_DITHER)
        index = ((lod + d * 16 + 8) >> 8) - sm.large_lod;
    else if (sm.mipmap_mode == GR_MIPMAP_NEAREST)
        index = ((lod + 128) >> 8) - sm.large_lod;
    return index < 0 ? 0 : index >= sm.level_count ? sm.level_count - 1 : index;
}

// The colour buffer's pixel format: the accelerator's RGB565 through the
// ordered dither (uint16_t pixels), or, with LUMIVEX_COLOUR=32, 0x00RRGGBB
// words (uint32_t) that keep the 8 bits a channel a pixel is computed in.
// Depth, texturing and the mip-map dither are the same in both.
enum PixelFormat { PIXEL_RGB565, PIXEL_XRGB };

// A pixel of 8-bit channels in a format's buffer, d being its dither cell.
inline void put_pixel(uint16_t *p, int d, unsigned r, unsigned g, unsigned b)
{
    *p = dither_rgb565(d, r, g, b);
}
inline void put_pixel(uint32_t *p, int, unsigned r, unsigned g, unsigned b)
{
    *p = r << 16 | g << 8 | b;
}

// The span loops of every colour path, q mode, texture path (fast or not)
// and mix of levels, all in one pixel format, with the texture path's loop
// of one width: chosen once, when the device opens. That loop is the widest
// the processor has up to widest pixels, short spans too: the partly empty
// ends of its groups cost less than a narrower loop's extra groups.
struct SpanTable {
    PixelFormat format = PIXEL_RGB565;
    int width = 1;  // 1, 4 or 8 pixels a group
    SpanLoops loops[COMBINE_MODES][Q_MODES][2][2];
};
SpanTable span_table(PixelFormat format, int widest);

// Puts the loops of the whole-number texture path (span_lanes.h) in the
// table, for its pixel format, four pixels at a time (span4.cpp) or eight
// (span8.cpp); false, and the table left as it was, where the processor has
// no SSE2 or no AVX2.
bool span4_loops(SpanTable &table);
bool span8_loops(SpanTable &table);

// An iterated colour channel over a span, in 16.16 fixed point. The value
// at the first pixel is held to 0..255 and the triangle's own step is kept if
// the last pixel stays in range too (as it does inside the triangle, but for
// rounding); otherwise the step is taken between the held ends. Either way
// every pixel is in range without a test in the loop.
inline uint32_t colour_span(const Plane &p, float px, float py, int n, int32_t step, uint32_t *value)
{
    auto held = [](float v) {
        v = v > 0.0f ? v : 0.0f;
        return v < 255.0f ? v : 255.0f;
    };
    float first = held(p.at + p.dx * px + p.dy * py);
    const int32_t start = (int32_t)(first * 65536.0f);
    *value = (uint32_t)start;
    int64_t last = start + (int64_t)step * (n - 1);
    if (last >= 0 && last <= 255 * 65536)
        return (uint32_t)step;
    float end = held(p.at + p.dx * (px + n - 1) + p.dy * py);
    return (uint32_t)(int32_t)((end - first) * 65536.0f / (n - 1));
}

// A texture coordinate in 16.16 texels; only its value modulo 2^32 matters
// when it wraps, so the conversion goes through 64 bits.
inline uint32_t wrapped_fixed(float v)
{
    v = v > -1e18f ? v : -1e18f;
    v = v < 1e18f ? v : 1e18f;
    return (uint32_t)(int64_t)v;
}

// The show's texture path draws the same pixels whichever loop draws a span
// (one, four or eight pixels at a time, chosen by the processor), so every
// loop computes every pixel's values with the same operations:
// - the whole-number values (texture coordinates, 16.16 colours) start at
//   the span's first pixel xa and step exactly, modulo 2^32: at pixel x they
//   are start + (x - xa) step, however a loop groups the pixels;
// - 1/w is a float and stepping would round differently per group width, so
//   it is evaluated at each pixel: (at + dy py) + dx px, px = x + 0.5f (px
//   itself may be stepped: it is exact).
struct SpanStart {
    uint32_t u, v;     // 16.16 texels of the finer level
    uint32_t r, g, b;  // 16.16, not held: the loops hold each pixel's
    float oow_row;     // oow.at + oow.dy (y + 0.5f)
};

// A colour channel in 16.16 fixed point, held to what 32 bits hold (a value
// beyond 0..255 is held per pixel by the loops).
inline uint32_t fixed_colour(float v)
{
    v *= 65536.0f;
    v = v > -2147483648.0f ? v : -2147483648.0f;  // NaN too
    v = v < 2147483520.0f ? v : 2147483520.0f;    // the largest float below 2^31
    return (uint32_t)(int32_t)v;
}

inline SpanStart span_start(const Raster &ra, int y, int xa, bool iterated)
{
    const float px = xa + 0.5f, py = y + 0.5f;
    auto at = [&](const Plane &p) { return p.at + p.dx * px + p.dy * py; };
    SpanStart s;
    s.u = wrapped_fixed(at(ra.s) * ra.affine.scale);
    s.v = wrapped_fixed(at(ra.t) * ra.affine.scale);
    s.r = s.g = s.b = 0;
    if (iterated) {
        s.r = fixed_colour(at(ra.r));
        s.g = fixed_colour(at(ra.g));
        s.b = fixed_colour(at(ra.b));
    }
    s.oow_row = ra.oow.at + ra.oow.dy * py;
    return s;
}

#endif
