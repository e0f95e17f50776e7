// picture.cpp - see picture.h.
#include "picture.h"

#include "device.h"

const uint32_t *shown_picture() {
    scan_out(glide.scanout, glide.colour[glide.front].data(), glide.width, glide.height, glide.picture.data());
    return glide.picture.data();
}
