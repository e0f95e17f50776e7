// png.h - a small PNG writer for frame dumps: 8-bit RGB, deflate's stored
// blocks (no compression), so it needs no zlib on any host.
#ifndef LUMIVEX_GLIDE_PNG_H
#define LUMIVEX_GLIDE_PNG_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Writes an RGB565 picture as a PNG file, each channel widened to 8 bits by
// repeating its top bits (31 -> 255, 63 -> 255); false if it cannot be
// written whole.
bool write_png_rgb565(const char *path, const uint16_t *pixels, int width, int height);

#endif
