// texmem.h - texture memory of texture unit 0. A mip-map is decoded once, at
// download, into 0xAARRGGBB texels per level, so that sampling never looks at
// the texture's own format.
#ifndef LUMIVEX_GLIDE_TEXMEM_H
#define LUMIVEX_GLIDE_TEXMEM_H

#include "raster.h"

#include <glide.h>

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int MAX_LEVELS = GR_LOD_1 - GR_LOD_256 + 1;

// A level is stored in pairs of rows: each texel is followed by the one below
// it (the last row's by the first row's), and each row has one more column, a
// copy of its first. The 2x2 texels of a bilinear sample at (x, y) are then
// the four from texels[2 (y stride + x)] on, wrapped or not, and one load
// fetches them: (x, y), (x, y + 1), (x + 1, y), (x + 1, y + 1).
struct TexLevel {
    const uint32_t *texels = nullptr;  // pairs row by row, 2 stride texels apart
    int width = 0, height = 0;
    int stride = 0;      // width + 1
    float to_256th = 0;  // s units to 1/256 texels
};

struct MipMap {
    GrMipMapId_t id = 0;
    GrTextureFormat_t format = 0;
    GrLOD_t large_lod = 0;
    TexModes modes;
    size_t bytes = 0;  // of texture memory, in the texture's own format
    std::vector<uint32_t> texels;
    TexLevel levels[MAX_LEVELS];  // [0] is large_lod
    int level_count = 0;
};

#endif
