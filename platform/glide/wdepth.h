// wdepth.h - the W-buffer's 16-bit code of a pixel's w = 1/oow: a small
// floating-point number, 4 bits of exponent and 12 of mantissa, of w from 1
// to 65536. It is read straight off the IEEE bits of w: those grow with w,
// so the code is monotonic; steps are 1/4096 of w near the viewer (w from 1
// to 2) and grow with distance. w below 1 gives 0, the nearest; 65536 and
// beyond (and oow = 0) give 0xFFFF, the farthest.
#ifndef LUMIVEX_GLIDE_WDEPTH_H
#define LUMIVEX_GLIDE_WDEPTH_H

#include <cstdint>
#include <cstring>

inline uint16_t wdepth_code(float w)
{
    int32_t bits;
    std::memcpy(&bits, &w, sizeof bits);
    const int32_t one = 0x3F800000;  // 1.0f
    if (bits < one)
        return 0;  // below 1, negative, or a negative NaN
    uint32_t code = (uint32_t)(bits - one) >> 11;
    return code > 0xFFFF ? 0xFFFF : (uint16_t)code;
}

#endif
