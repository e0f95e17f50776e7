// png.h - a small PNG writer for frame dumps: 8-bit RGB, deflate's stored
// blocks (no compression), so it needs no zlib on any host.
#ifndef LUMIVEX_GLIDE_PNG_H
#define LUMIVEX_GLIDE_PNG_H

#include <cstddef>
#include <cstdint>
#include <vector>

// The PNG file of an RGB565 picture, each channel widened to 8 bits by
// repeating its top bits (31 -> 255, 63 -> 255).
std::vector<uint8_t> encode_png_rgb565(const uint16_t *pixels, int width, int height);

// CRC-32 (PNG chunks) and Adler-32 (the zlib stream) of bytes.
uint32_t png_crc32(const uint8_t *bytes, size_t count, uint32_t crc = 0);
uint32_t png_adler32(const uint8_t *bytes, size_t count);

// Writes the file; false if it cannot be written whole.
bool write_png_rgb565(const char *path, const uint16_t *pixels, int width, int height);

#endif
