// test_texture.cpp - texture sampling: wrap and clamp at the edges, bilinear
// weights, point sampling, undithered mip-mapping and texture memory; the
// show's frames check the rest.
#include "glide_test.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace glide_test;

namespace {

const uint16_t RED = 0xF800, BLUE = 0x001F, WHITE = 0xFFFF, BLACK = 0;

// A screen rectangle whose texture coordinates run linearly with it; its 1/w
// grows by slant a pixel along x + y (0: one 1/w for the whole rectangle).
void textured_rect(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1,
                   float slant = 0)
{
    auto corner = [&](float x, float y, float s, float t) {
        float oow = 1.0f + slant * (x + y);
        return textured(x, y, s * oow, t * oow, oow);
    };
    quad(corner(x0, y0, s0, t0), corner(x1, y0, s1, t0), corner(x1, y1, s1, t1), corner(x0, y1, s0, t1));
}

// A 565 pixel widened to 8 bits a channel as the dumps do.
void expect_colour(int x, int y, int r, int g, int b, int tolerance = 10)
{
    const uint16_t p = back_pixel(x, y);
    const int pr = p >> 11, pg = p >> 5 & 63, pb = p & 31;
    EXPECT_NEAR(pr << 3 | pr >> 2, r, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(pg << 2 | pg >> 4, g, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(pb << 3 | pb >> 2, b, tolerance) << "at " << x << "," << y;
}

class TextureTest : public GlideTest {
  protected:
    void SetUp() override
    {
        GlideTest::SetUp();
        guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
        guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
        grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    }
};

}  // namespace

// An 8x8 texture, red in column 0 and blue in column 7, seen 32 pixels a
// texel: at the texture's edge wrapping blends the opposite column in, and
// clamping keeps the edge texel. Each check runs twice: with one 1/w for the
// whole rectangle, and with 1/w varying a hair, which takes the per-pixel
// perspective path.
TEST_F(TextureTest, BilinearWrapsOrClampsAtTheEdges)
{
    auto edges = [](int, int x, int) { return x == 0 ? RED : x == 7 ? BLUE : BLACK; };
    load_texture(GR_LOD_8, GR_LOD_8, edges);
    for (float slant : {0.0f, 1e-5f}) {
        SCOPED_TRACE(slant);
        grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);
        textured_rect(0, 0, 256, 64, 0, 0, 256, 256, slant);
        // Pixel 0 samples s = 0.5, texel -0.484: 48% of texel 7 (wrapped), 52% of texel 0.
        expect_colour(0, 32, 132, 0, 123);
        expect_colour(255, 32, 123, 0, 132);
        expect_colour(16, 32, 251, 0, 0);  // next to texel 0's centre
        expect_colour(48, 32, 4, 0, 0);    // beside texel 1's centre
        expect_colour(128, 32, 0, 0, 0);

        // The same along t, with s and t swapped.
        grBufferClear(0, 0, 0xFFFF);
        quad(textured(0, 0, 0, 0), textured(64, 0, 0, 0), textured(64, 256, 256, 0),
             textured(0, 256, 256, 0));
        expect_colour(32, 0, 132, 0, 123);
        expect_colour(32, 16, 251, 0, 0);

        // Clamped (grTexClampMode overrides the allocation's wrap until the
        // next guTexSource), the edge texels stand alone, far outside too.
        grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_CLAMP, GR_TEXTURECLAMP_CLAMP);
        textured_rect(0, 0, 256, 64, 0, 0, 256, 256, slant);
        textured_rect(256, 0, 320, 64, -5000, 0, -4000, 64, slant);
        expect_colour(0, 32, 255, 0, 0, 1);
        expect_colour(255, 32, 0, 0, 255, 1);
        expect_colour(300, 32, 255, 0, 0, 1);
    }
    // Point sampled: the texel under the pixel, wrapped from s = 256 on.
    guTexMemReset();
    load_texture(GR_LOD_8, GR_LOD_8, edges, GR_MIPMAP_DISABLE, GR_TEXTUREFILTER_POINT_SAMPLED);
    textured_rect(0, 0, 288, 16, 0, 0, 288, 16);
    for (const auto &[x, texel] :
         {std::pair(0, RED), std::pair(31, RED), std::pair(32, BLACK), std::pair(270, RED)})
        EXPECT_EQ(back_pixel(x, 8), texel) << x;
}

// Without the dither (a mode the show does not use; its golden frames check
// the dithered one) the nearest level: 1.75 levels down rounds to 2.
TEST_F(TextureTest, UnditheredMipMappingTakesTheNearestLevel)
{
    load_texture(
        GR_LOD_64, GR_LOD_1, [](int level, int, int) { return level == 2 ? RED : BLUE; }, GR_MIPMAP_NEAREST);
    const float k = 64 * 8 * std::pow(2.0f, 0.75f);  // a texel of the 64 level is 4 units
    textured_rect(0, 0, 64, 64, 0, 0, k, k);
    int red = 0;
    for (int i = 0; i < 48 * 48; ++i)
        red += back_pixel(8 + i % 48, 8 + i / 48) == RED;
    EXPECT_EQ(red, 48 * 48);
}

// Texture memory is 2 MB: the thirteenth 256x256 16-bit chain does not fit.
// A stale, a null and a never-issued handle select no texture (white); one
// allocated but not downloaded is transparent black.
TEST_F(TextureTest, TextureMemoryRunsOutAndStaleHandlesAreHarmless)
{
    auto allocate = []() {
        return guTexAllocateMemory(GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, 256, 256, GR_TEXFMT_RGB_565,
                                   GR_MIPMAP_NEAREST_DITHER, GR_LOD_1, GR_LOD_256, GR_ASPECT_1x1,
                                   GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP, GR_TEXTUREFILTER_BILINEAR,
                                   GR_TEXTUREFILTER_BILINEAR, 0.0f, FXFALSE);
    };
    std::vector<GrMipMapId_t> ids;
    for (int i = 0; i < 12; ++i)
        ids.push_back(allocate());
    EXPECT_EQ(std::count(ids.begin(), ids.end(), GR_NULL_MIPMAP_HANDLE), 0);
    EXPECT_EQ(allocate(), GR_NULL_MIPMAP_HANDLE);
    guTexMemReset();
    GrMipMapId_t fresh = allocate();
    ASSERT_NE(fresh, GR_NULL_MIPMAP_HANDLE);
    std::vector<uint16_t> red(256 * 256 * 2, RED);
    guTexDownloadMipMap(ids[0], red.data(), nullptr);
    guTexDownloadMipMap(GR_NULL_MIPMAP_HANDLE, red.data(), nullptr);
    guTexDownloadMipMap(fresh, nullptr, nullptr);
    for (GrMipMapId_t id : {ids[3], GR_NULL_MIPMAP_HANDLE, (GrMipMapId_t)12345, fresh}) {
        guTexSource(id);
        textured_rect(0, 0, 16, 16, 0, 0, 16, 16);
        EXPECT_EQ(back_pixel(8, 8), id == fresh ? BLACK : WHITE) << id;
    }
}

// The one-pixel, four-pixel and eight-pixel loops of the show's texture path
// draw exactly the same picture, so that it does not depend on the processor
// (the widest loop needs AVX2): modulated, two levels mixed by the dither,
// spans short and long, and long spans whose depth changes steeply (1/w and
// the colours rounded per group of pixels once drew them differently), in
// both pixel formats. Every loop this processor runs is compared with the
// one-pixel loop; the others are named as skipped.
TEST_F(TextureTest, EveryPixelLoopDrawsThePicture)
{
    auto draw = [] {
        load_texture(GR_LOD_64, GR_LOD_1, [](int level, int x, int y) {
            return rgb565((x * 37 + level * 50) & 255, (y * 23) & 255, ((x ^ y) * 11) & 255);
        });
        guColorCombineFunction(GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB);
        grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);  // one q a triangle, as the show's
        grBufferClear(0, 0, 0xFFFF);
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 16; ++i) {
                auto corner = [&](int a, int b) {
                    float x = a * 40.0f + (b % 3) * 3.1f, y = b * 40.0f + (a % 4) * 2.3f;
                    return textured(x, y, x * 5.3f + 17, y * 4.7f - 9, 1.0f / (1 + (a + b) * 0.1f), 1,
                                    (float)(a * 15 % 256), (float)(b * 21 % 256), 200);
                };
                triangle(corner(i, j), corner(i + 1, j), corner(i + 1, j + 1));
                triangle(corner(i, j), corner(i + 1, j + 1), corner(i, j + 1));
            }
        // And one wide triangle over the rest.
        triangle(textured(-20, 470, 0, 0), textured(660, 300, 800, 100), textured(660, 479, 820, 40));
        // Long spans starting anywhere, each row's depth running from near to
        // far, in fans that cross each other at nearly the same depth.
        for (int k = 0; k < 24; ++k) {
            auto corner = [&](float x, float y, float oow, float r, float g) {
                return textured(x, y, x * 2.9f + k * 13.7f, y * 3.3f - k * 5.1f, oow, 1, r, g, 255 - r);
            };
            const float x0 = 3.3f + k * 7.9f, y0 = 5.7f + k * 17.3f;
            triangle(corner(x0, y0, 0.97f - k * 0.011f, 255, 3),
                     corner(x0 + 480.6f - k * 3.1f, y0 + 9.2f, 0.013f, 1, 250),
                     corner(x0 + 130.2f, y0 + 61.9f, 0.41f, 128.5f, 77.25f));
        }
        return back_words();
    };
    int compared = 0;
    for (const char *colour : {"16", "32"}) {
        reopen_with("LUMIVEX_COLOUR", colour);
        ASSERT_EQ(lumivex::glide_limit_pixel_loop(1), 1);
        const std::vector<uint32_t> one = draw();
        for (int width : {4, 8}) {
            if (lumivex::glide_limit_pixel_loop(width) != width) {
                std::printf("[ SKIPPED  ] the %d-pixel loop: this processor cannot run it\n", width);
                continue;
            }
            const std::vector<uint32_t> wide = draw();
            int differing = 0, lit = 0;
            for (size_t i = 0; i < one.size(); ++i) {
                lit += one[i] != 0;
                differing += one[i] != wide[i];
            }
            EXPECT_GT(lit, 200000);
            EXPECT_EQ(differing, 0) << width << "-pixel loop, " << colour << "-bit colour";
            ++compared;
        }
    }
    if (compared == 0)
        GTEST_SKIP() << "this processor runs only the one-pixel loop";
}
