// picture.h - what the screen shows: the one place the presenters, the frame
// dumps and the video capture take their picture from, so that every one of
// them shows the same thing.
#ifndef LUMIVEX_GLIDE_PICTURE_H
#define LUMIVEX_GLIDE_PICTURE_H

#include <lumivex_glide.h>

#include <cstdint>

// The picture the last swap put on the screen: the visible colour buffer
// through the video output (scanout.h), glide.width x glide.height pixels
// in the order asked (0x00RRGGBB unless a presenter asks another), row by
// row from the top. Made anew by each call, into memory (null: the device's
// own), and good until the next drawing (in 32-bit colour it may be the
// buffer itself).
const uint32_t *shown_picture(uint32_t *into = nullptr,
                              lumivex::PixelOrder order = lumivex::PixelOrder::XRGB);

#endif
