// test_display.cpp - the display: buffer swaps against a fake display clock
// (the pace of the retraces, late frames, the interval override, and the flip
// itself), and the video output (the card's filter melts the dither and keeps
// edges; the gamma table).
#include "glide_test.h"

#include "platform/glide/dither.h"
#include "platform/glide/scanout.h"

using namespace glide_test;

namespace {

const int64_t SECOND = 1000000000;

struct FakeClock : lumivex::GlideClock {
    int64_t time = 5 * SECOND;  // any origin
    int64_t now() override { return time; }
    void sleep_until(int64_t deadline) override
    {
        if (deadline > time)
            time = deadline;
    }
};

// Paced as the program asks, unless the interval is given.
class SwapTest : public Offscreen {
  protected:
    FakeClock clock;
    int64_t start = 0;

    void open(const char *interval = nullptr)
    {
        Offscreen::SetUp();
        if (interval)
            setenv("LUMIVEX_SWAP_INTERVAL", interval, 1);
        else
            unsetenv("LUMIVEX_SWAP_INTERVAL");
        lumivex::glide_set_clock(&clock);
        ASSERT_TRUE(open_device());
        start = clock.time;
    }
    void TearDown() override
    {
        Offscreen::TearDown();
        lumivex::glide_set_clock(nullptr);
    }
    // A frame that takes work_ns to draw, then its swap.
    void frame(int64_t work_ns, int interval = 2)
    {
        clock.time += work_ns;
        grBufferSwap(interval);
    }
};

const int W = 37, H = 4;  // a row that is no whole number of dither periods

template <class Pixel>
std::vector<uint32_t> shown(const Scanout &s, const std::vector<Pixel> &frame, int width,
                            lumivex::PixelOrder order = lumivex::PixelOrder::XRGB)
{
    std::vector<uint32_t> out(frame.size());
    scan_out(s, frame.data(), width, (int)frame.size() / width, out.data(), order);
    return out;
}

}  // namespace

// Deadlines are absolute, computed from the retrace count, not added up: a
// thousand seconds on, still exactly on the retrace. The environment
// overrides the interval: 0 shows at once, 3 gives 20 frames a second.
TEST_F(SwapTest, IntervalTwoShowsThirtyFramesASecondWithoutDrift)
{
    open();
    for (int i = 0; i < 30; ++i)
        frame(10 * 1000000);
    EXPECT_EQ(clock.time - start, SECOND);
    EXPECT_EQ(lumivex::glide_last_swap_retrace(), 60);
    for (int i = 0; i < 30000; ++i)
        frame(i % 7 * 3000000);
    EXPECT_EQ(clock.time - start, 1001 * SECOND);
    EXPECT_EQ(lumivex::glide_frames_shown(), 30030);
    for (const auto &[interval, elapsed] : {std::pair("0", int64_t(0)), std::pair("3", SECOND)}) {
        TearDown();
        open(interval);
        for (int i = 0; i < 20; ++i)
            frame(0);
        EXPECT_EQ(clock.time - start, elapsed) << interval;
    }
}

TEST_F(SwapTest, ALateFrameWaitsForTheNextRetraceAndTheFrontBufferShowsAtOnce)
{
    open();
    frame(0);  // retrace 2, 33.3 ms
    EXPECT_EQ(lumivex::glide_last_swap_retrace(), 2);
    frame(40 * 1000000);  // ready at 73.3 ms, after retrace 4 (66.7 ms): shown on retrace 5
    EXPECT_EQ(lumivex::glide_last_swap_retrace(), 5);
    EXPECT_EQ(clock.time - start, 5 * SECOND / 60);
    frame(5 * 1000000);  // on time again: two retraces after the last swap
    EXPECT_EQ(lumivex::glide_last_swap_retrace(), 7);
    EXPECT_EQ(clock.time - start, 7 * SECOND / 60);
    frame(SECOND);  // a whole second late: the first retrace after it
    EXPECT_EQ(lumivex::glide_last_swap_retrace(), 68);
    frame(0, 1);  // interval one: the next retrace
    EXPECT_EQ(lumivex::glide_last_swap_retrace(), 69);

    // Drawn to the front buffer, a triangle is there at once.
    grRenderBuffer(GR_BUFFER_FRONTBUFFER);
    triangle(vertex(200, 0), vertex(300, 0), vertex(200, 100));
    EXPECT_EQ(lumivex::glide_colour_buffer(GR_BUFFER_FRONTBUFFER).rgb565[10 * 640 + 210], 0xFFFF);
}

// The card's filter: flat colours dithered into the 16-bit buffer come out
// within one 16-bit step of the colour everywhere, and within a third of one
// away from the row's ends, where the neighbours the box needs are missing.
TEST(Scanout, TheCardFilterMeltsTheDitherButKeepsHardEdges)
{
    const Scanout card = make_scanout(true, 1.0f);
    const auto channel = [](uint32_t p, int shift) { return (int)(p >> shift & 0xFF); };
    for (uint32_t colour : {0x807F81u, 0x0C0A05u, 0xF3F9EDu, 0x3DA16Eu}) {
        SCOPED_TRACE(colour);
        const int r = channel(colour, 16), g = channel(colour, 8), b = channel(colour, 0);
        std::vector<uint16_t> frame(W * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                frame[y * W + x] = dither_rgb565(DITHER_PATTERN[y & 3][x & 3], r, g, b);
        std::vector<uint32_t> out = shown(card, frame, W);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                uint32_t p = out[y * W + x];
                bool inside = x > 0 && x < W - 2;
                int rb_step = inside ? 3 : 8, g_step = inside ? 2 : 4;
                EXPECT_LE(std::abs(channel(p, 16) - r), rb_step) << x;
                EXPECT_LE(std::abs(channel(p, 8) - g), g_step) << x;
                EXPECT_LE(std::abs(channel(p, 0) - b), rb_step) << x;
            }
    }

    // An edge between colours more than two steps apart stays where it was,
    // at full contrast; a row's ends average only the pixels the row has.
    std::vector<uint16_t> frame(W, 0x4208);  // 8, 16, 8: widened 0x424142
    for (int x = W / 2; x < W; ++x)
        frame[x] = 0x6B4D;  // 13, 26, 13: 0x6B696B
    std::vector<uint32_t> out = shown(card, frame, W);
    for (int x = 0; x < W; ++x)
        EXPECT_EQ(out[x], x < W / 2 ? 0x424142u : 0x6B696Bu) << x;

    // One step apart: the neighbours take part; missing ones count as the centre.
    const std::vector<uint16_t> row = {0x0000, 0x0821, 0x0000, 0x0821};  // 0 and widened 0x080408
    out = shown(card, row, 4);
    EXPECT_EQ(out[0], 0x020102u);  // (2 x 0 + 8 + 0) / 4, rounded
    EXPECT_EQ(out[3], 0x060306u);  // (0 + 3 x 8) / 4
}

TEST(Scanout, GammaOneChangesNothingAndTwoBrightensAlongTheCurve)
{
    std::vector<uint16_t> frame(64 * 2);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = (uint16_t)(i * 2039u);
    std::vector<uint32_t> plain = shown(Scanout(), frame, 64);
    EXPECT_EQ(shown(make_scanout(false, 1.0f), frame, 64), plain);
    EXPECT_EQ(plain[1], 0x00FFBDu);  // 2039: 0, 63, 23 widened

    const Scanout two = make_scanout(false, 2.0f);
    EXPECT_EQ(two.gamma[128], 181);  // 255 sqrt(128 / 255) = 180.7
    for (int v = 1; v < 256; ++v)
        EXPECT_LE(two.gamma[v - 1], two.gamma[v]) << v;
    std::vector<uint32_t> bright =
        shown(two, std::vector<uint16_t>{0x8410}, 1);  // 16, 32, 16: widened 0x848284
    EXPECT_EQ(bright[0], (uint32_t)two.gamma[0x84] << 16 | (uint32_t)two.gamma[0x82] << 8 | two.gamma[0x84]);
}

// A canvas's order is the same picture, red and blue trading places and the
// fourth byte opaque, whatever the output stage does and whatever the buffer.
TEST(Scanout, TheCanvasOrderIsThePictureWithRedAndBlueSwappedAndOpaque)
{
    std::vector<uint16_t> frame(W * H);
    std::vector<uint32_t> drawn(W * H);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = (uint16_t)(i * 2039u);
        drawn[i] = (uint32_t)(i * 0x010305u) & 0xFFFFFF;
    }
    const auto canvas = [](uint32_t p) {
        return 0xFF000000u | (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
    };
    for (const Scanout &s : {make_scanout(false, 1.0f), make_scanout(true, 1.0f), make_scanout(false, 2.0f),
                             make_scanout(true, 0.5f)}) {
        SCOPED_TRACE(s.filter * 10 + s.gamma_identity);
        const std::vector<uint32_t> xrgb16 = shown(s, frame, W), xrgb32 = shown(s, drawn, W);
        const std::vector<uint32_t> rgba16 = shown(s, frame, W, lumivex::PixelOrder::RGBA);
        const std::vector<uint32_t> rgba32 = shown(s, drawn, W, lumivex::PixelOrder::RGBA);
        for (size_t i = 0; i < frame.size(); ++i) {
            EXPECT_EQ(rgba16[i], canvas(xrgb16[i])) << i;
            EXPECT_EQ(rgba32[i], canvas(xrgb32[i])) << i;
        }
    }
}
