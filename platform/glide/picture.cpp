// picture.cpp - the front buffer as the screen shows it, scanned out on demand.
#include "picture.h"

#include "device.h"

const uint32_t *shown_picture(uint32_t *into, lumivex::PixelOrder order)
{
    const void *visible = colour_buffer(glide.front);
    // A 32-bit buffer with no gamma to apply is the picture itself, unless
    // it is asked for elsewhere or in another order.
    const bool as_drawn = true_colour() && glide.scanout.gamma_identity && order == lumivex::PixelOrder::XRGB;
    if (as_drawn && !into)
        return static_cast<const uint32_t *>(visible);
    into = into ? into : glide.picture.data();
    if (true_colour())
        scan_out(glide.scanout, static_cast<const uint32_t *>(visible), glide.width, glide.height, into,
                 order);
    else
        scan_out(glide.scanout, static_cast<const uint16_t *>(visible), glide.width, glide.height, into,
                 order);
    return into;
}
