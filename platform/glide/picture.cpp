// picture.cpp - see picture.h.
#include "picture.h"

#include "device.h"

const uint32_t *shown_picture()
{
    // A 32-bit buffer with no gamma to apply is the picture itself.
    if (glide.true_colour && glide.scanout.gamma_identity)
        return glide.colour32[glide.front].data();
    if (glide.true_colour)
        scan_out(glide.scanout, glide.colour32[glide.front].data(), glide.width, glide.height,
                 glide.picture.data());
    else
        scan_out(glide.scanout, glide.colour[glide.front].data(), glide.width, glide.height,
                 glide.picture.data());
    return glide.picture.data();
}
