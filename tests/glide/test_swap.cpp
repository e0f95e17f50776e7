// Buffer swaps against a fake display clock: the pace of the retraces, late
// frames, the interval override, and the flip itself.
#include "glide_test.h"

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

TEST_F(SwapTest, ALateFrameWaitsForTheNextRetrace)
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
}

TEST_F(SwapTest, DrawingToTheFrontBufferShowsAtOnce)
{
    open("0");
    grRenderBuffer(GR_BUFFER_FRONTBUFFER);
    triangle(vertex(200, 0), vertex(300, 0), vertex(200, 100));
    EXPECT_EQ(lumivex::glide_colour_buffer(GR_BUFFER_FRONTBUFFER)[10 * SCREEN_WIDTH + 210], 0xFFFF);
}
