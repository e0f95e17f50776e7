// png.h - frame dumps as PNG files (8-bit RGB), compressed by
// stb_image_write, which builds the same on every host.
#ifndef LUMIVEX_GLIDE_PNG_H
#define LUMIVEX_GLIDE_PNG_H

#include <cstdint>

// Writes an RGB565 picture, widened as the screen shows it; false if the
// file cannot be written whole.
bool write_png_rgb565(const char *path, const uint16_t *pixels, int width, int height);

#endif
