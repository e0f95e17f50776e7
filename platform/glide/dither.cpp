// dither.cpp - the ordered dither's tables, made when the library loads.
#include "dither.h"

const uint8_t DITHER_PATTERN[4][4] = {
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
};

static constexpr uint8_t dithered(int v, int top, int d)
{
    return (uint8_t)((v * top + dither_offset(d)) / 255);
}

static constexpr DitherTables make_tables()
{
    DitherTables t{};
    for (int d = 0; d < 16; ++d)
        for (int v = 0; v < 256; ++v) {
            t.to5[d][v] = dithered(v, 31, d);
            t.to6[d][v] = dithered(v, 63, d);
        }
    return t;
}

const DitherTables dither_tables = make_tables();
