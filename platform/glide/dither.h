// dither.h - 8-bit colour to RGB565 through the accelerator's 4x4 ordered
// dither. The pattern cell d (0 to 15) of a pixel adds about (d + 0.5) / 16
// of an output step before truncation, so a flat colour comes out as a mix
// of the two nearest 565 values whose average is the colour itself:
//     out = floor((v * top + DITHER_OFFSET[d]) / 255),   top = 31 or 63,
// with DITHER_OFFSET[d] = (d + 0.5) / 16 * 255 rounded. 0 and 255 stay exact.
#ifndef LUMIVEX_GLIDE_DITHER_H
#define LUMIVEX_GLIDE_DITHER_H

#include <cstdint>

// The 4x4 Bayer pattern, indexed [y & 3][x & 3], values 0 to 15.
inline constexpr uint8_t DITHER_PATTERN[4][4] = {
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
};

// (d + 0.5) / 16 * 255, rounded: 8 to 247.
constexpr int dither_offset(int d)
{
    return ((2 * d + 1) * 255 + 16) / 32;
}

// An 8-bit channel v as 5 (top 31) or 6 bits (top 63) in pattern cell d.
constexpr unsigned dithered(unsigned v, unsigned top, int d)
{
    return (v * top + dither_offset(d)) / 255;
}

inline uint16_t dither_rgb565(int d, unsigned r, unsigned g, unsigned b)
{
    return (uint16_t)(dithered(r, 31, d) << 11 | dithered(g, 63, d) << 5 | dithered(b, 31, d));
}

#endif
