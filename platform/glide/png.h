// png.h - frame dumps as PNG files (8-bit RGB), compressed by
// stb_image_write, which builds the same on every host.
#ifndef LUMIVEX_GLIDE_PNG_H
#define LUMIVEX_GLIDE_PNG_H

#include <cstdint>

// Writes a picture of 0x00RRGGBB pixels; false if the file cannot be
// written whole.
bool write_png(const char *path, const uint32_t *pixels, int width, int height);

#endif
