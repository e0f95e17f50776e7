// picture.cpp - see picture.h.
#include "picture.h"

#include "device.h"

const uint16_t *shown_picture() {
    return glide.colour[glide.front].data();
}

void widen_rgb565(const uint16_t *pixels, size_t count, uint8_t *rgb) {
    for (size_t i = 0; i < count; ++i) {
        unsigned p = pixels[i];
        unsigned r = p >> 11, g = p >> 5 & 63, b = p & 31;
        rgb[3 * i] = (uint8_t)(r << 3 | r >> 2);
        rgb[3 * i + 1] = (uint8_t)(g << 2 | g >> 4);
        rgb[3 * i + 2] = (uint8_t)(b << 3 | b >> 2);
    }
}
