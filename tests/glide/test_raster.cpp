// test_raster.cpp - coverage, clipping, depth and colour of drawn triangles.
#include "glide_test.h"

#include "platform/glide/wdepth.h"

#include <cmath>
#include <limits>

using namespace glide_test;

namespace {

int count_lit(int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += back_pixel(x, y) != 0;
    return n;
}

}  // namespace

// The clip window bounds triangles and the clear; an inverted one draws nothing.
TEST_F(GlideTest, NothingIsDrawnOutsideTheClipWindowAndFarOrNonFiniteCornersAreSafe)
{
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    grClipWindow(100, 50, 300, 200);
    triangle(vertex(-50, -50), vertex(900, -40), vertex(-30, 700));
    EXPECT_EQ(count_lit(0, 0, 640, 480), 200 * 150);
    EXPECT_EQ(count_lit(100, 50, 300, 200), 200 * 150);
    grClipWindow(20, 20, 30, 30);
    grBufferClear(0xFFFFFF00, 0, 0xFFFF);
    EXPECT_EQ(count_lit(0, 0, 640, 480), 200 * 150 + 100);
    EXPECT_EQ(count_lit(20, 20, 30, 30), 100);
    grClipWindow(300, 300, 200, 200);
    triangle(vertex(-50, -50), vertex(900, -40), vertex(-30, 700));
    EXPECT_EQ(count_lit(0, 0, 640, 480), 200 * 150 + 100);

    grClipWindow(0, 0, 640, 480);
    // Corners far beyond the screen: the screen is inside, all of it is drawn.
    triangle(vertex(-1e9f, -1e9f), vertex(3e9f, -1e9f), vertex(-1e9f, 3e9f));
    EXPECT_EQ(count_lit(0, 0, 640, 480), 640 * 480);

    // One corner far out: a band through the screen between the lines
    // y = 70 + 0.3x and y = 60 + 0.3x, cut off by the clip window.
    grBufferClear(0, 0, 0xFFFF);
    grClipWindow(10, 10, 630, 470);
    triangle(vertex(100, 100), vertex(200, 120), vertex(1e30f, 3e29f));
    EXPECT_EQ(count_lit(0, 0, 640, 480), count_lit(10, 10, 630, 470));
    EXPECT_EQ(count_lit(10, 10, 100, 470), 0);
    for (int x = 200; x < 630; x += 10) {
        int column = count_lit(x, 10, x + 1, 470);  // its far corner leaves the edges a pixel of play
        EXPECT_TRUE(column >= 9 && column <= 11) << x << ": " << column;
        EXPECT_EQ(count_lit(x, 65 + 3 * x / 10, x + 1, 66 + 3 * x / 10), 1) << x;
    }

    // Non-finite corners or attributes draw nothing at all.
    grClipWindow(0, 0, 640, 480);
    grBufferClear(0, 0, 0xFFFF);
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    triangle(vertex(10, 10), vertex(300, 20), vertex(inf, 400));
    triangle(vertex(10, 10), vertex(nan, 20), vertex(100, 400));
    triangle(vertex(10, 10, nan), vertex(300, 20), vertex(100, 400));
    triangle(vertex(10, 10, 0.5f, nan), vertex(300, 20), vertex(100, 400));
    EXPECT_EQ(count_lit(0, 0, 640, 480), 0);
}

// Depth codes grow with w, finely near the viewer; depth along a triangle
// is w = 1/oow iterated as oow: a slanted square, near on the left.
TEST_F(GlideTest, DepthCodesGrowWithWAndNearerPixelsWinWithLess)
{
    EXPECT_EQ(wdepth_code(-3.0f), 0);
    EXPECT_EQ(wdepth_code(1.0f), 0);
    EXPECT_LT(wdepth_code(1.0f), wdepth_code(1.0f + 1.0f / 2048));
    EXPECT_EQ(wdepth_code(65536.0f), 0xFFFF);
    EXPECT_EQ(wdepth_code(std::numeric_limits<float>::infinity()), 0xFFFF);
    for (float w = 1.5f; w < 60000.0f; w *= 1.01f)
        EXPECT_GT(wdepth_code(w), wdepth_code(w / 1.01f)) << w;

    quad(vertex(0, 0, 1.0f), vertex(400, 0, 0.01f), vertex(400, 100, 0.01f), vertex(0, 100, 1.0f));
    const uint16_t *depth = lumivex::glide_depth_buffer();
    for (int x = 1; x < 400; x += 37) {
        float oow = 1.0f + (0.01f - 1.0f) * (x + 0.5f) / 400;
        EXPECT_NEAR(depth[50 * 640 + x], wdepth_code(1.0f / oow), 2) << x;
    }

    // Nearer pixels win with less; a clear resets depth only while depth writes
    // are on; with them off the test still applies and nothing is stored.
    grBufferClear(0, 0, 0xFFFF);
    const uint16_t RED = 0xF800, GREEN = 0x07E0, BLUE = 0x001F;
    // clear first (with depth writes on or off, or no clear), depth writes, 1/w, colour, the pixel after
    enum { NO_CLEAR = -1 };
    const struct {
        int clear_mask, mask;
        float oow;
        uint16_t colour, after;
    } steps[] = {
        {NO_CLEAR, 1, 0.01f, RED, RED},
        {NO_CLEAR, 1, 0.5f, GREEN, GREEN},
        {NO_CLEAR, 1, 0.1f, BLUE, GREEN},
        {NO_CLEAR, 1, 0.5f, BLUE, GREEN},
        {0, 1, 0.1f, RED, 0},
        {1, 1, 0.1f, RED, RED},
        {NO_CLEAR, 0, 0.5f, BLUE, BLUE},
        {NO_CLEAR, 0, 0.2f, GREEN, GREEN},
    };
    for (const auto &s : steps) {
        if (s.clear_mask != NO_CLEAR) {
            grDepthMask(s.clear_mask);
            grBufferClear(0, 0, 0xFFFF);
        }
        grDepthMask(s.mask);
        const float r = s.colour == RED ? 255 : 0, g = s.colour == GREEN ? 255 : 0,
                    b = s.colour == BLUE ? 255 : 0;
        quad(vertex(100, 100, s.oow, r, g, b), vertex(200, 100, s.oow, r, g, b),
             vertex(200, 200, s.oow, r, g, b), vertex(100, 200, s.oow, r, g, b));
        EXPECT_EQ(back_pixel(150, 150), s.after) << &s - steps;
    }
    EXPECT_EQ(lumivex::glide_depth_buffer()[150 * 640 + 150], wdepth_code(10.0f));
}

// The constant colour and zero combines; a function the library does not
// have is refused and the last one stays.
TEST_F(GlideTest, TheCombineFollowsTheFunctionChosen)
{
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    grConstantColorValue(0x00FF0000);  // RGBA: green
    const int functions[][2] = {{GR_COLORCOMBINE_CCRGB, 0x07E0},
                                {GR_COLORCOMBINE_TEXTURE_ADD_ITRGB, 0x07E0},
                                {GR_COLORCOMBINE_ZERO, 0},
                                {GR_COLORCOMBINE_TEXTURE_ADD_ITRGB, 0}};
    for (const auto &[function, pixel] : functions) {
        guColorCombineFunction(function);
        quad(vertex(0, 0), vertex(64, 0), vertex(64, 64), vertex(0, 64));
        EXPECT_EQ(back_pixel(3, 3), pixel) << function;
    }
}

// In 32-bit colour a gradient keeps the 8 bits it is computed in: red grows
// across and green down by at most one step a pixel, and neither changes the
// other way (a dither would); the clear is exact too.
TEST_F(GlideTest, TrueColourDrawsAGradientUndithered)
{
    reopen_with("LUMIVEX_COLOUR", "32");
    grBufferClear(0x12345600, 0, 0xFFFF);  // RGBA
    triangle(vertex(0, 0, 0.5f, 0, 0, 40), vertex(640, 0, 0.5f, 255, 0, 40),
             vertex(0, 480, 0.5f, 0, 255, 40));
    const std::vector<uint32_t> p = back_words();
    EXPECT_EQ(p.back(), 0x123456u);
    auto at = [&](int x, int y, int shift) { return (int)(p[y * 640 + x] >> shift & 0xFF); };
    auto step = [](int d) { return d == 0 || d == 1; };
    int smooth = 0;
    for (int y = 1; y < 240; ++y)
        for (int x = 1; x < 320; ++x) {
            ASSERT_EQ(at(x, y, 0), 40) << x << "," << y;
            smooth += step(at(x, y, 16) - at(x - 1, y, 16)) && step(at(x, y, 8) - at(x, y - 1, 8)) &&
                      at(x, y, 16) == at(x, y - 1, 16) && at(x, y, 8) == at(x - 1, y, 8);
        }
    EXPECT_EQ(smooth, 239 * 319);
    EXPECT_EQ(at(319, 1, 16), 127);
}
