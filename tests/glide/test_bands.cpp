// test_bands.cpp - drawing with several threads: the same pixels whatever
// their number, and no thread left behind when the library shuts down.
#include "glide_test.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <thread>

using namespace glide_test;

namespace {

struct Frame {
    std::vector<uint16_t> colour, depth;
};

// Opens the device with threads drawing, draws, reads both buffers back and
// shuts down. Triangles cross the rows that bands could start at in every
// direction: corners on multiples of eight rows, half a row and a sixteenth
// either side, slivers one pixel high or wide, tall thin ones through many
// bands, at equal depths so that their order decides; a clear of part of the
// screen comes between two halves of the frame.
Frame draw_with(int threads)
{
    setenv("LUMIVEX_THREADS", std::to_string(threads).c_str(), 1);
    EXPECT_TRUE(open_device());
    load_texture(GR_LOD_64, GR_LOD_1, [](int level, int x, int y) {
        return rgb565((x * 29 + level * 60) & 255, (y * 13) & 255, ((x + y) * 7) & 255);
    });
    guColorCombineFunction(GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB);
    grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);
    std::mt19937 random(11);
    auto row = [&] {
        const float offsets[] = {0, 0.5f, -0.5f, 1 / 16.0f, -1 / 16.0f, 1, 0.4375f};
        return (float)(random() % 61 * 8) + offsets[random() % 7];
    };
    auto corner = [&](float x, float y, float oow) {
        // One declaration, its three draws in order.
        const float r = (float)(random() % 256), g = (float)(random() % 256), b = (float)(random() % 256);
        return textured(x, y, x * 3.1f, y * 2.7f, oow, 1, r, g, b);
    };
    for (int i = 0; i < 600; ++i) {
        if (i == 300) {
            grClipWindow(40, 123, 600, 301);
            grBufferClear(0x80402000, 0, 0xFFFF);
            grClipWindow(0, 0, 640, 480);
        }
        const float x = (float)(random() % 600), oow = i % 3 ? 0.5f : 0.25f;
        const float y0 = row(), y1 = row();
        switch (i % 4) {
        case 0:  // any triangle, corners on or near band rows
            triangle(corner(x, y0, oow), corner(x + 90, y1, oow), corner(x + 40, row(), oow));
            break;
        case 1:  // one pixel high, long
            triangle(corner(x - 200, y0, oow), corner(x + 250, y0, oow), corner(x, y0 + 1, oow));
            break;
        case 2:  // a sliver through many bands
            triangle(corner(x, y0, oow), corner(x + 1.5f, y0, oow), corner(x + 3, y1 + 1, oow));
            break;
        default:  // a flat bottom exactly on a row
            triangle(corner(x, y0 - 20, oow), corner(x - 60, y0, oow), corner(x + 60, y0, oow));
            break;
        }
    }
    const uint16_t *colour = lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER).rgb565,
                   *depth = lumivex::glide_depth_buffer();
    const Frame f = {{colour, colour + 640 * 480}, {depth, depth + 640 * 480}};
    grSstWinClose();
    grGlideShutdown();
    return f;
}

long running_threads()
{
    std::filesystem::directory_iterator tasks("/proc/self/task");
    return std::distance(begin(tasks), end(tasks));
}

// A joined thread may still be listed for a moment: the join returns when
// the thread has finished, a little before the system has removed it.
long threads_after_ending(long expected)
{
    long n = running_threads();
    for (int tries = 0; n != expected && tries < 200; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        n = running_threads();
    }
    return n;
}

using BandsTest = Offscreen;

}  // namespace

TEST_F(BandsTest, AnyNumberOfThreadsDrawsTheSamePixels)
{
    const Frame one = draw_with(1);
    EXPECT_GT(one.colour.size() - std::count(one.colour.begin(), one.colour.end(), 0), 100000u);  // lit
    for (int threads : {2, 3, 8}) {
        const Frame many = draw_with(threads);
        EXPECT_TRUE(many.colour == one.colour) << threads << " threads";
        EXPECT_TRUE(many.depth == one.depth) << threads << " threads";
    }
}

// The threads start with the first frame drawn and end with grGlideShutdown,
// and a second session starts them again.
TEST_F(BandsTest, ThreadsEndAtShutdownAndStartAgain)
{
    const long before = running_threads();
    for (int session = 0; session < 2; ++session) {
        setenv("LUMIVEX_THREADS", "4", 1);
        ASSERT_TRUE(open_device());
        triangle(vertex(0, 0), vertex(600, 10), vertex(20, 470));
        grBufferSwap(0);
        EXPECT_EQ(running_threads(), before + 3);
        grSstWinClose();
        grGlideShutdown();
        EXPECT_EQ(threads_after_ending(before), before);
    }
}
