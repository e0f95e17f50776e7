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
extern const uint8_t DITHER_PATTERN[4][4];

// (d + 0.5) / 16 * 255, rounded: 8 to 247.
constexpr int dither_offset(int d)
{
    return ((2 * d + 1) * 255 + 16) / 32;
}

// Per pattern value, an 8-bit channel as 5 and 6 bits.
struct DitherTables {
    uint8_t to5[16][256];
    uint8_t to6[16][256];
};
extern const DitherTables dither_tables;

inline uint16_t dither_rgb565(int d, unsigned r, unsigned g, unsigned b)
{
    return (uint16_t)(dither_tables.to5[d][r] << 11 | dither_tables.to6[d][g] << 5 | dither_tables.to5[d][b]);
}

#endif
