// png.h - a small PNG writer for frame dumps: 8-bit RGB, deflate's stored
// blocks (no compression), so it needs no zlib on any host.
#ifndef LUMIVEX_GLIDE_PNG_H
#define LUMIVEX_GLIDE_PNG_H

#include <cstddef>
#include <cstdint>
#include <vector>

// The PNG file of a picture of 0x00RRGGBB pixels.
std::vector<uint8_t> encode_png(const uint32_t *pixels, int width, int height);

// CRC-32 (PNG chunks) and Adler-32 (the zlib stream) of bytes.
uint32_t png_crc32(const uint8_t *bytes, size_t count, uint32_t crc = 0);
uint32_t png_adler32(const uint8_t *bytes, size_t count);

// Writes the file; false if it cannot be written whole.
bool write_png(const char *path, const uint32_t *pixels, int width, int height);

#endif
