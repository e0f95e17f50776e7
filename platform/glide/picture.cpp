// picture.cpp - the front buffer as the screen shows it, scanned out on demand.
#include "picture.h"

#include "device.h"

const uint32_t *shown_picture()
{
    const void *visible = colour_buffer(glide.front);
    // A 32-bit buffer with no gamma to apply is the picture itself.
    if (true_colour() && glide.scanout.gamma_identity)
        return static_cast<const uint32_t *>(visible);
    if (true_colour())
        scan_out(glide.scanout, static_cast<const uint32_t *>(visible), glide.width, glide.height,
                 glide.picture.data());
    else
        scan_out(glide.scanout, static_cast<const uint16_t *>(visible), glide.width, glide.height,
                 glide.picture.data());
    return glide.picture.data();
}
