// picture.h - what the screen shows: the one place the presenters, the frame
// dumps and the video capture take their picture from, so that every one of
// them shows the same thing.
#ifndef LUMIVEX_GLIDE_PICTURE_H
#define LUMIVEX_GLIDE_PICTURE_H

#include <cstddef>
#include <cstdint>

// The picture the last swap put on the screen: the visible colour buffer,
// SCREEN_WIDTH x SCREEN_HEIGHT RGB565, row by row from the top.
const uint16_t *shown_picture();

// RGB565 pixels as the display's 8-bit RGB, each channel widened by repeating
// its top bits (31 -> 255, 63 -> 255), as the accelerator's output did.
void widen_rgb565(const uint16_t *pixels, size_t count, uint8_t *rgb);

#endif
