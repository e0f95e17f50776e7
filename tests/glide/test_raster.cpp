// Coverage, clipping, depth and colour of drawn triangles.
#include "glide_test.h"

#include "platform/glide/wdepth.h"

#include <cmath>
#include <limits>
#include <random>

using namespace glide_test;

namespace {

int count_lit(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += back_pixel(x, y) != 0;
    return n;
}

}  // namespace

// A rectangle cut into jittered triangles of both windings: every pixel whose
// centre is inside is drawn by exactly one triangle, none outside. Corners sit
// on 1/16 positions and often exactly on pixel centres, where the top-left
// rule alone decides.
TEST_F(GlideTest, SharedEdgesDrawEachPixelOnce) {
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    const int X0 = 16, Y0 = 16, NX = 12, NY = 8, CELL = 16;
    std::mt19937 random(7);
    auto jitter = [&](int i, int n, float base) {
        if (i == 0 || i == n) return base;
        int choice = random() % 4;
        if (choice == 0) return base + 0.5f;  // a pixel centre
        return base + (int)(random() % 97 - 48) / 16.0f;
    };
    float gx[NY + 1][NX + 1], gy[NY + 1][NX + 1];
    for (int j = 0; j <= NY; ++j)
        for (int i = 0; i <= NX; ++i) {
            gx[j][i] = jitter(i, NX, (float)(X0 + i * CELL));
            gy[j][i] = jitter(j, NY, (float)(Y0 + j * CELL));
        }
    std::vector<int> coverage(SCREEN_WIDTH * SCREEN_HEIGHT, 0);
    auto draw = [&](int ia, int ja, int ib, int jb, int ic, int jc) {
        grBufferClear(0, 0, 0xFFFF);
        GrVertex a = vertex(gx[ja][ia], gy[ja][ia]), b = vertex(gx[jb][ib], gy[jb][ib]),
                 c = vertex(gx[jc][ic], gy[jc][ic]);
        if (random() % 2)
            triangle(a, b, c);
        else
            triangle(a, c, b);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 260; ++x) coverage[y * SCREEN_WIDTH + x] += back_pixel(x, y) != 0;
    };
    for (int j = 0; j < NY; ++j)
        for (int i = 0; i < NX; ++i) {
            if (random() % 2) {
                draw(i, j, i + 1, j, i + 1, j + 1);
                draw(i, j, i + 1, j + 1, i, j + 1);
            } else {
                draw(i, j, i + 1, j, i, j + 1);
                draw(i + 1, j, i + 1, j + 1, i, j + 1);
            }
        }
    int wrong = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 260; ++x) {
            bool inside = x >= X0 && x < X0 + NX * CELL && y >= Y0 && y < Y0 + NY * CELL;
            if (coverage[y * SCREEN_WIDTH + x] != (inside ? 1 : 0)) {
                if (++wrong < 10) ADD_FAILURE() << "pixel " << x << "," << y << " drawn " << coverage[y * SCREEN_WIDTH + x];
            }
        }
    EXPECT_EQ(wrong, 0);
}

// Exactly which pixels a small triangle takes: centres on its left and top
// edges belong to it, those on its right and bottom edges do not.
TEST_F(GlideTest, PixelCentresOnEdgesFollowTheTopLeftRule) {
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    // A square from centre (10.5, 10.5) to centre (14.5, 14.5): columns 10..13 and rows 10..13.
    quad(vertex(10.5f, 10.5f), vertex(14.5f, 10.5f), vertex(14.5f, 14.5f), vertex(10.5f, 14.5f));
    EXPECT_EQ(count_lit(0, 0, 40, 40), 16);
    EXPECT_EQ(count_lit(10, 10, 14, 14), 16);
    // Sub-pixel: a sliver between 20.25 and 20.75 holds the centre 20.5; one from 21.0 to 21.4 holds none.
    grBufferClear(0, 0, 0xFFFF);
    quad(vertex(20.25f, 20), vertex(20.75f, 20), vertex(20.75f, 24), vertex(20.25f, 24));
    quad(vertex(21.0f, 20), vertex(21.4375f, 20), vertex(21.4375f, 24), vertex(21.0f, 24));
    EXPECT_EQ(count_lit(0, 0, 40, 40), 4);
    EXPECT_EQ(count_lit(20, 20, 21, 24), 4);
}

TEST_F(GlideTest, NothingIsDrawnOutsideTheClipWindow) {
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    grClipWindow(100, 50, 300, 200);
    triangle(vertex(-50, -50), vertex(900, -40), vertex(-30, 700));
    EXPECT_EQ(count_lit(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), 200 * 150);
    EXPECT_EQ(count_lit(100, 50, 300, 200), 200 * 150);
    // The clear, too, keeps to the clip window.
    grClipWindow(0, 0, 640, 480);
    grBufferClear(0, 0, 0xFFFF);
    grClipWindow(0, 0, 10, 10);
    grBufferClear(0xFFFFFF00, 0, 0xFFFF);
    EXPECT_EQ(count_lit(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), 100);
    // An empty or inverted window draws nothing.
    grClipWindow(0, 0, 640, 480);
    grBufferClear(0, 0, 0xFFFF);
    grClipWindow(300, 300, 200, 200);
    triangle(vertex(-50, -50), vertex(900, -40), vertex(-30, 700));
    grClipWindow(0, 0, 640, 480);
    EXPECT_EQ(count_lit(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), 0);
}

TEST_F(GlideTest, FarAndNonFiniteCornersAreSafe) {
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    // Corners far beyond the screen: the screen is inside, all of it is drawn.
    triangle(vertex(-1e9f, -1e9f), vertex(3e9f, -1e9f), vertex(-1e9f, 3e9f));
    EXPECT_EQ(count_lit(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), SCREEN_WIDTH * SCREEN_HEIGHT);

    // One corner far out: a band through the screen between the lines
    // y = 70 + 0.3x and y = 60 + 0.3x, cut off by the clip window.
    grBufferClear(0, 0, 0xFFFF);
    grClipWindow(10, 10, 630, 470);
    triangle(vertex(100, 100), vertex(200, 120), vertex(1e30f, 3e29f));
    EXPECT_EQ(count_lit(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), count_lit(10, 10, 630, 470));
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
    EXPECT_EQ(count_lit(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), 0);
}

TEST(WDepth, CodeGrowsWithDistanceAndIsFineNearTheViewer) {
    EXPECT_EQ(wdepth_code(1.0f), 0);
    EXPECT_EQ(wdepth_code(0.5f), 0);
    EXPECT_EQ(wdepth_code(-3.0f), 0);
    EXPECT_EQ(wdepth_code(65536.0f), 0xFFFF);
    EXPECT_EQ(wdepth_code(std::numeric_limits<float>::infinity()), 0xFFFF);
    EXPECT_LT(wdepth_code(1.0f), wdepth_code(1.0f + 1.0f / 2048));
    unsigned previous = 0;
    for (float w = 1.5f; w < 60000.0f; w *= 1.01f) {
        unsigned code = wdepth_code(w);
        EXPECT_GT(code, previous) << w;
        previous = code;
    }
}

TEST_F(GlideTest, NearerPixelsWinWithLessAndTheClearResetsDepth) {
    auto square = [](float oow, float r, float g, float b) {
        quad(vertex(100, 100, oow, r, g, b), vertex(200, 100, oow, r, g, b), vertex(200, 200, oow, r, g, b),
             vertex(100, 200, oow, r, g, b));
    };
    const uint16_t RED = 0xF800, GREEN = 0x07E0, BLUE = 0x001F;
    square(0.01f, 255, 0, 0);  // w = 100
    square(0.5f, 0, 255, 0);   // w = 2, nearer
    EXPECT_EQ(back_pixel(150, 150), GREEN);
    square(0.1f, 0, 0, 255);  // w = 10, behind
    EXPECT_EQ(back_pixel(150, 150), GREEN);
    square(0.5f, 0, 0, 255);  // the same depth is not less
    EXPECT_EQ(back_pixel(150, 150), GREEN);

    // Depth-writes off: the clear leaves depth alone.
    grDepthMask(FXFALSE);
    grBufferClear(0, 0, 0xFFFF);
    grDepthMask(FXTRUE);
    square(0.1f, 255, 0, 0);
    EXPECT_EQ(back_pixel(150, 150), 0);
    // With depth writes on it resets it.
    grBufferClear(0, 0, 0xFFFF);
    square(0.1f, 255, 0, 0);
    EXPECT_EQ(back_pixel(150, 150), RED);

    // Depth writes off while drawing: the test still applies, nothing is stored.
    grDepthMask(FXFALSE);
    square(0.5f, 0, 0, 255);
    EXPECT_EQ(back_pixel(150, 150), BLUE);
    square(0.2f, 0, 255, 0);  // nearer than the red, which is all that is stored
    EXPECT_EQ(back_pixel(150, 150), GREEN);
    EXPECT_EQ(lumivex::glide_depth_buffer()[150 * SCREEN_WIDTH + 150], wdepth_code(10.0f));
}

TEST_F(GlideTest, DepthAlongATriangleFollowsW) {
    // Depth is w = 1/oow iterated as oow: a slanted square, near on the left.
    quad(vertex(0, 0, 1.0f), vertex(400, 0, 0.01f), vertex(400, 100, 0.01f), vertex(0, 100, 1.0f));
    const uint16_t *depth = lumivex::glide_depth_buffer();
    for (int x = 1; x < 400; x += 37) {
        float oow = 1.0f + (0.01f - 1.0f) * (x + 0.5f) / 400;
        EXPECT_NEAR(depth[50 * SCREEN_WIDTH + x], wdepth_code(1.0f / oow), 2) << x;
        EXPECT_GE(depth[50 * SCREEN_WIDTH + x], depth[50 * SCREEN_WIDTH + x - 1]);
    }
}

TEST_F(GlideTest, IteratedColourIsDitheredToItsAverage) {
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    quad(vertex(0, 0, 0.5f, 200, 100, 50), vertex(64, 0, 0.5f, 200, 100, 50), vertex(64, 64, 0.5f, 200, 100, 50),
         vertex(0, 64, 0.5f, 200, 100, 50));
    double r, g, b;
    block_average(16, 16, 4, &r, &g, &b);
    EXPECT_NEAR(r, 200, 1.0);
    EXPECT_NEAR(g, 100, 1.0);
    EXPECT_NEAR(b, 50, 1.0);
    // The pattern really is there: a 4x4 block holds more than one 565 value.
    int other = 0;
    for (int k = 1; k < 16; ++k) other += back_pixel(16 + k % 4, 16 + k / 4) != back_pixel(16, 16);
    EXPECT_GT(other, 0);

    // Gouraud: red, green and blue corners meet as grey in the middle.
    grBufferClear(0, 0, 0xFFFF);
    triangle(vertex(100, 100, 0.5f, 255, 0, 0), vertex(400, 100, 0.5f, 0, 255, 0),
             vertex(250, 400, 0.5f, 0, 0, 255));
    block_average(248, 198, 4, &r, &g, &b);
    EXPECT_NEAR(r, 85, 4);
    EXPECT_NEAR(g, 85, 4);
    EXPECT_NEAR(b, 85, 4);
    // Black and white are exact under the dither.
    grBufferClear(0, 0, 0xFFFF);
    quad(vertex(0, 0), vertex(8, 0), vertex(8, 8), vertex(0, 8));
    EXPECT_EQ(count_lit(0, 0, 8, 8), 64);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(back_pixel(x, y), 0xFFFF);
}

// In 32-bit colour a gradient keeps the 8 bits it is computed in: red grows
// across and green down by at most one step a pixel, and neither changes the
// other way (a dither would); the clear is exact too.
TEST_F(GlideTest, TrueColourDrawsAGradientUndithered) {
    reopen_with("LUMIVEX_COLOUR", "32");
    grBufferClear(0x12345600, 0, 0xFFFF);  // RGBA
    triangle(vertex(0, 0, 0.5f, 0, 0, 40), vertex(640, 0, 0.5f, 255, 0, 40), vertex(0, 480, 0.5f, 0, 255, 40));
    const std::vector<uint32_t> p = back_words();
    EXPECT_EQ(p.back(), 0x123456u);
    auto at = [&](int x, int y, int shift) { return (int)(p[y * SCREEN_WIDTH + x] >> shift & 0xFF); };
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

TEST_F(GlideTest, FlatCombinesUseConstantOrNothing) {
    grDepthBufferMode(GR_DEPTHBUFFER_DISABLE);
    grConstantColorValue(0x00FF0000);  // RGBA: green
    guColorCombineFunction(GR_COLORCOMBINE_CCRGB);
    quad(vertex(0, 0), vertex(8, 0), vertex(8, 8), vertex(0, 8));
    EXPECT_EQ(back_pixel(3, 3), 0x07E0);
    guColorCombineFunction(GR_COLORCOMBINE_ZERO);
    quad(vertex(0, 0), vertex(8, 0), vertex(8, 8), vertex(0, 8));
    EXPECT_EQ(back_pixel(3, 3), 0);
    // A function the library does not have is refused: the last one stays.
    guColorCombineFunction(GR_COLORCOMBINE_TEXTURE_ADD_ITRGB);
    guColorCombineFunction(GR_COLORCOMBINE_CCRGB);
    guColorCombineFunction(GR_COLORCOMBINE_DIFF_SPEC_A);
    quad(vertex(0, 0), vertex(8, 0), vertex(8, 8), vertex(0, 8));
    EXPECT_EQ(back_pixel(3, 3), 0x07E0);
}
