// The video output: the card's filter melts the dither and keeps edges; the
// gamma table.
#include "platform/glide/dither.h"
#include "platform/glide/scanout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

const int W = 37, H = 4;  // a row that is no whole number of dither periods

int channel(uint32_t p, int shift)
{
    return (int)(p >> shift & 0xFF);
}

std::vector<uint32_t> shown(const Scanout &s, const std::vector<uint16_t> &frame, int width)
{
    std::vector<uint32_t> out(frame.size());
    scan_out(s, frame.data(), width, (int)frame.size() / width, out.data());
    return out;
}

}  // namespace

// Flat colours dithered into the 16-bit buffer come out within one 16-bit
// step of the colour everywhere, and within a third of one away from the
// row's ends, where the neighbours the box needs are missing.
TEST(Scanout, TheCardFilterMeltsTheDitherOfAFlatColour)
{
    const Scanout card = make_scanout(true, 1.0f);
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
}

// An edge between colours more than two steps apart stays where it was, at
// full contrast; a row's ends average only the pixels the row has.
TEST(Scanout, TheCardFilterKeepsHardEdgesAndHandlesTheRowsEnds)
{
    const Scanout card = make_scanout(true, 1.0f);
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
    std::vector<uint32_t> bright = shown(two, {0x8410}, 1);  // 16, 32, 16: widened 0x848284
    EXPECT_EQ(bright[0], (uint32_t)two.gamma[0x84] << 16 | (uint32_t)two.gamma[0x82] << 8 | two.gamma[0x84]);
}
