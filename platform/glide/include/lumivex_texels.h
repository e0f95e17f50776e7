// lumivex_texels.h - texture formats, shared by the 3DF reader, texture memory
// and the tools that write 3DF files.
// A mip chain is stored from its largest level to its smallest, each level
// row by row, with no padding; all 16-bit texels are host order in memory.
#ifndef LUMIVEX_TEXELS_H
#define LUMIVEX_TEXELS_H

#include <glide.h>

#include <cstddef>
#include <cstdint>

// Bytes per texel (1 or 2), or 0 for a format Glide 2.x does not have.
int texel_size(GrTextureFormat_t format);

// The format's name in a 3DF header ("rgb565", "yiq", "ap88", ...), or null
// for a format Glide 2.x does not have. The reader and the writer share it.
const char *texel_format_name(GrTextureFormat_t format);

// Width and height of level lod at an aspect ratio: GR_LOD_256 with
// GR_ASPECT_2x1 is 256x128; no side is smaller than 1. False for values
// outside the API's ranges.
bool lod_size(GrLOD_t lod, GrAspectRatio_t aspect, int *width, int *height);

// Bytes of a whole chain from large_lod down to small_lod; 0 when any value
// is out of range or small_lod < large_lod (GR_LOD_256 is the largest).
size_t mipmap_bytes(GrTextureFormat_t format, GrLOD_t small_lod, GrLOD_t large_lod, GrAspectRatio_t aspect);

// Decodes count texels of a format to 0xAARRGGBB, widening narrow channels
// by bit replication. table is the NCC table of the YIQ formats (yRGB, iRGB,
// qRGB; packed_data is not read) or the palette of the palette formats, whose
// entries give only the colour (unused otherwise; null reads as all zero).
// Formats without colour give white with their alpha, those without alpha
// give 0xFF. An unknown format gives 0 for every texel.
void decode_texels(GrTextureFormat_t format, const void *texels, size_t count, const GuTexTable *table,
                   uint32_t *out);

#endif
