// scanout.h - the boards' video output: how the frame buffer reached the
// monitor. Every row is widened to 8 bits a channel (repeating each channel's
// top bits, so 31 -> 255), smoothed by the card's filter if asked
// (LUMIVEX_FILTER=card), and looked up in the gamma table (LUMIVEX_GAMMA).
// With neither, the picture is the frame buffer widened, as a raw dump.
//
// The card's filter is a 4x1 box over the pixel, its left neighbour and its
// two right neighbours, each weighing a quarter: four pixels are one period
// of the 4x4 dither pattern along a row, so a flat dithered colour averages
// back to within a sixth of a 16-bit step of the colour it stands for. A
// neighbour takes part only when none of its channels differs from the
// centre's by more than two steps of the 16-bit buffer (17 of 255 for red
// and blue, 9 for green, counting the widening's rounding); otherwise, and
// beyond the ends of the row, the centre takes its place. Dither never
// differs by more than one step, so it melts; edges and texture detail
// beyond two steps stay as sharp as they were drawn.
//
// A 32-bit colour buffer (LUMIVEX_COLOUR=32) has no dither to melt: the
// filter would only soften the detail it keeps, so there it is left out and
// only the gamma table applies.
#ifndef LUMIVEX_GLIDE_SCANOUT_H
#define LUMIVEX_GLIDE_SCANOUT_H

#include <lumivex_glide.h>

#include <cstdint>

struct Scanout {
    bool filter = false;
    bool gamma_identity = true;
    uint8_t gamma[256] = {};  // the colour lookup of every channel
};

// The output stage as configured: filter, and gamma g as the table
// out = 255 (in / 255)^(1 / g), rounded (g above 1 brightens).
Scanout make_scanout(bool card_filter, float gamma);

// A picture of width x height RGB565 pixels as the screen shows it, in
// pixels of the given order.
void scan_out(const Scanout &s, const uint16_t *rgb565, int width, int height, uint32_t *out,
              lumivex::PixelOrder order);

// The same of a 32-bit buffer: its 0x00RRGGBB pixels through the gamma table
// (with gamma 1 and 0x00RRGGBB out, the buffer is the picture as it stands).
void scan_out(const Scanout &s, const uint32_t *drawn, int width, int height, uint32_t *out,
              lumivex::PixelOrder order);

#endif
