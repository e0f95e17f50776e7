// glide_test.h - helpers for the tests of our Glide: a device opened offscreen
// in the show's configuration, vertices, textures and reading pixels back.
#ifndef LUMIVEX_TESTS_GLIDE_TEST_H
#define LUMIVEX_TESTS_GLIDE_TEST_H

#include <glide.h>
#include <lumivex_glide.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/environment.h"
#include "tests/support/files.h"

namespace glide_test {

// The show's device start-up through the Glide API (init, query, select,
// open, render state); offscreen no window is needed.
inline bool open_device()
{
    static GrHwConfiguration hw;
    grGlideInit();
    if (!grSstQueryHardware(&hw))
        return false;
    grSstSelect(0);
    if (!grSstWinOpen(0x101, GR_RESOLUTION_640x480, GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA,
                      GR_ORIGIN_UPPER_LEFT, 2, 1))
        return false;
    grDepthBufferMode(GR_DEPTHBUFFER_WBUFFER);
    grDepthBufferFunction(GR_CMP_LESS);
    grDepthMask(FXTRUE);
    grBufferClear(0, 0, GR_WDEPTHVALUE_FARTHEST);
    grRenderBuffer(GR_BUFFER_BACKBUFFER);
    grClipWindow(0, 0, 640, 480);
    return true;
}

// Offscreen and unpaced; the device closed afterwards.
class Offscreen : public ::testing::Test {
  protected:
    void SetUp() override { set_offscreen(); }
    void TearDown() override
    {
        grSstWinClose();
        grGlideShutdown();
        clear_settings();
    }
};

// And opened in the show's configuration.
class GlideTest : public Offscreen {
  protected:
    void SetUp() override
    {
        Offscreen::SetUp();
        ASSERT_TRUE(open_device());
    }
};

inline GrVertex vertex(float x, float y, float oow = 0.5f, float r = 255, float g = 255, float b = 255)
{
    GrVertex v = {};
    v.x = x;
    v.y = y;
    v.oow = oow;
    v.r = r;
    v.g = g;
    v.b = b;
    v.tmuvtx[0].oow = oow;
    return v;
}

inline GrVertex textured(float x, float y, float s, float t, float oow = 1.0f, float tmu_oow = 1.0f,
                         float r = 255, float g = 255, float b = 255)
{
    GrVertex v = vertex(x, y, oow, r, g, b);
    v.tmuvtx[0].sow = s;
    v.tmuvtx[0].tow = t;
    v.tmuvtx[0].oow = tmu_oow;
    return v;
}

inline void triangle(const GrVertex &a, const GrVertex &b, const GrVertex &c)
{
    guDrawTriangleWithClip(&a, &b, &c);
}

// A rectangle as two triangles sharing the diagonal from (x0,y0) to (x1,y1).
inline void quad(const GrVertex &top_left, const GrVertex &top_right, const GrVertex &bottom_right,
                 const GrVertex &bottom_left)
{
    triangle(top_left, top_right, bottom_right);
    triangle(top_left, bottom_right, bottom_left);
}

// The calls the show makes on an open device, each once, with values that a
// trace tells apart.
inline void show_calls()
{
    guTexMemReset();
    GrMipMapId_t id = guTexAllocateMemory(
        GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, 8, 8, GR_TEXFMT_RGB_565, GR_MIPMAP_NEAREST_DITHER, GR_LOD_8,
        GR_LOD_8, GR_ASPECT_1x1, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP, GR_TEXTUREFILTER_BILINEAR,
        GR_TEXTUREFILTER_BILINEAR, 0.1f, FXFALSE);
    std::vector<uint16_t> texels(64, 0);
    guTexDownloadMipMap(id, texels.data(), nullptr);
    guTexSource(id);
    guColorCombineFunction(GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    guAlphaSource(GR_ALPHASOURCE_TEXTURE_ALPHA);
    grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);
    grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);
    grConstantColorValue(1750);
    triangle(textured(213.3125f, 373.3125f, 63.75f, 127.5f, 0.0099999998f, 1, 255, 127.5f, 0),
             textured(320, 240, 1, 0, 0.5f, 1, 0, 0, 0),
             textured(100.125f, -0.0625f, 1, 1, 1, 4, 1e-3f, 1e20f, 0));
    grBufferSwap(2);
    grBufferClear(0, 0, 0xFFFF);
    grSstIdle();
    EXPECT_NE(grSstControl(GR_CONTROL_MOVE), FXFALSE);
}

// Closes the device and opens it again with a setting changed.
inline void reopen_with(const char *name, const std::string &value)
{
    grSstWinClose();
    grGlideShutdown();
    setenv(name, value.c_str(), 1);
    ASSERT_TRUE(open_device());
}

// The 640x480 back buffer in either pixel format, a pixel a word.
inline std::vector<uint32_t> back_words()
{
    const size_t n = 640 * 480;
    const lumivex::ColourPixels back = lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER);
    if (back.rgb565)
        return {back.rgb565, back.rgb565 + n};
    return {back.xrgb, back.xrgb + n};
}

inline uint16_t back_pixel(int x, int y)
{
    return lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER).rgb565[y * 640 + x];
}

inline uint16_t rgb565(int r, int g, int b)
{
    return (uint16_t)((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// An RGB565 mip-map: levels from large_lod to small_lod, square, each level
// filled by texel(level, x, y). Returns the handle, selected.
template <typename F>
GrMipMapId_t load_texture(GrLOD_t large_lod, GrLOD_t small_lod, F texel,
                          GrMipMapMode_t mode = GR_MIPMAP_NEAREST_DITHER,
                          GrTextureFilterMode_t filter = GR_TEXTUREFILTER_BILINEAR)
{
    std::vector<uint16_t> data;
    for (int lod = large_lod; lod <= small_lod; ++lod) {
        int side = 256 >> lod;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                data.push_back(texel(lod - large_lod, x, y));
    }
    int side = 256 >> large_lod;
    GrMipMapId_t id = guTexAllocateMemory(GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, side, side, GR_TEXFMT_RGB_565,
                                          mode, small_lod, large_lod, GR_ASPECT_1x1, GR_TEXTURECLAMP_WRAP,
                                          GR_TEXTURECLAMP_WRAP, filter, filter, 0.0f, FXFALSE);
    guTexDownloadMipMap(id, data.data(), nullptr);
    guTexSource(id);
    return id;
}

}  // namespace glide_test

#endif
