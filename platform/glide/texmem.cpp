// texmem.cpp - the texture-memory utilities: reset, allocate, download,
// source and clamp. Handles count up from 0 at grGlideInit and are never
// reused, so a handle from before a reset names nothing afterwards and is
// refused harmlessly.
#include "texmem.h"

#include "device.h"
#include <lumivex_texels.h>
#include "trace.h"

namespace {

struct TextureMemory {
    std::vector<std::unique_ptr<MipMap>> mipmaps;
    size_t used = 0;
    GrMipMapId_t next_id = 0;
};
TextureMemory memory;

}  // namespace

void tex_memory_reset()
{
    bands_finish();  // recorded triangles read the texels
    memory.mipmaps.clear();
    memory.used = 0;
    glide.tmu.source = nullptr;
}

void tex_memory_restart()
{
    tex_memory_reset();
    memory.next_id = 0;
}

// The mip-map of a handle, or null for a void or unknown handle.
static const MipMap *find_mipmap(GrMipMapId_t id)
{
    for (const auto &m : memory.mipmaps)
        if (m->id == id)
            return m.get();
    return nullptr;
}

void FX_CALL guTexMemReset(void)
{
    trace_call("guTexMemReset", {});
    tex_memory_reset();
}

// The odd/even mask and trilinear flag only matter to two-unit trilinear
// filtering; one unit holds the whole chain.
GrMipMapId_t FX_CALL guTexAllocateMemory(GrChipID_t tmu, FxU8 odd_even_mask, int width, int height,
                                         GrTextureFormat_t format, GrMipMapMode_t mipmap_mode,
                                         GrLOD_t small_lod, GrLOD_t large_lod, GrAspectRatio_t aspect,
                                         GrTextureClampMode_t clamp_s, GrTextureClampMode_t clamp_t,
                                         GrTextureFilterMode_t minfilter, GrTextureFilterMode_t magfilter,
                                         float lod_bias, FxBool trilinear)
{
    trace_call("guTexAllocateMemory",
               {tmu, odd_even_mask, width, height, format, mipmap_mode, small_lod, large_lod, aspect, clamp_s,
                clamp_t, minfilter, magfilter, lod_bias, trilinear});
    int w, h;
    size_t bytes = mipmap_bytes(format, small_lod, large_lod, aspect);
    if (tmu != GR_TMU0 || bytes == 0 || !lod_size(large_lod, aspect, &w, &h) || w != width || h != height ||
        mipmap_mode < GR_MIPMAP_DISABLE || mipmap_mode > GR_MIPMAP_NEAREST_DITHER ||
        bytes > TEXTURE_MEMORY_BYTES - memory.used)
        return GR_NULL_MIPMAP_HANDLE;

    auto m = std::make_unique<MipMap>();
    m->id = memory.next_id++;
    m->format = format;
    m->large_lod = large_lod;
    TexModes &modes = m->modes;
    modes.clamp_s = clamp_s == GR_TEXTURECLAMP_CLAMP ? GR_TEXTURECLAMP_CLAMP : GR_TEXTURECLAMP_WRAP;
    modes.clamp_t = clamp_t == GR_TEXTURECLAMP_CLAMP ? GR_TEXTURECLAMP_CLAMP : GR_TEXTURECLAMP_WRAP;
    modes.minfilter = minfilter == GR_TEXTUREFILTER_POINT_SAMPLED ? minfilter : GR_TEXTUREFILTER_BILINEAR;
    modes.magfilter = magfilter == GR_TEXTUREFILTER_POINT_SAMPLED ? magfilter : GR_TEXTUREFILTER_BILINEAR;
    modes.mipmap_mode = mipmap_mode;
    modes.lod_bias = lod_bias == lod_bias ? lod_bias : 0.0f;
    m->bytes = bytes;

    size_t texels = 0, offsets[MAX_LEVELS];
    m->level_count = small_lod - large_lod + 1;
    for (int i = 0; i < m->level_count; ++i) {
        TexLevel &level = m->levels[i];
        lod_size(large_lod + i, aspect, &level.width, &level.height);
        level.stride = level.width + 1;
        // 256 s units span the 256-texel level: a texel of level n is 2^n units.
        level.to_256th = (float)(1 << 8) / (float)(1 << (large_lod + i));
        offsets[i] = texels;
        texels += (size_t)2 * level.stride * level.height;
    }
    // Undownloaded memory reads as transparent black.
    m->texels.assign(texels, 0);
    for (int i = 0; i < m->level_count; ++i)
        m->levels[i].texels = m->texels.data() + offsets[i];
    memory.used += bytes;
    memory.mipmaps.push_back(std::move(m));
    return memory.next_id - 1;
}

// The table arrives as the NCC table, but the palette formats read it as a
// palette: the pointer is taken as the union both live in (the program passes
// its Gu3dfInfo's table, which is that union).
void FX_CALL guTexDownloadMipMap(GrMipMapId_t id, const void *src, const GuNccTable *ncc_table)
{
    trace_call("guTexDownloadMipMap", {id, TracePointer(), TracePointer()});
    MipMap *m = const_cast<MipMap *>(find_mipmap(id));
    if (!m || !src)
        return;
    bands_finish();  // recorded triangles may read these texels
    // No table reads as a table of zeros (decode_texels).
    const GuTexTable *table = reinterpret_cast<const GuTexTable *>(ncc_table);
    const uint8_t *in = static_cast<const uint8_t *>(src);
    int size = texel_size(m->format);
    uint32_t row[257];  // the widest level and its extra column
    for (int i = 0; i < m->level_count; ++i) {
        const TexLevel &level = m->levels[i];
        uint32_t *out = const_cast<uint32_t *>(level.texels);
        for (int y = 0; y < level.height; ++y) {
            decode_texels(m->format, in, (size_t)level.width, table, row);
            row[level.width] = row[0];
            in += (size_t)level.width * size;
            // Row y is the first of its own pair and the second of the pair above.
            uint32_t *own = out + (size_t)2 * y * level.stride;
            uint32_t *above = out + (size_t)2 * ((y + level.height - 1) % level.height) * level.stride + 1;
            for (int x = 0; x <= level.width; ++x)
                own[2 * x] = above[2 * x] = row[x];
        }
    }
}

size_t lumivex::glide_mipmap_bytes(GrMipMapId_t id)
{
    const MipMap *m = find_mipmap(id);
    return m ? m->bytes : 0;
}

void FX_CALL guTexSource(GrMipMapId_t id)
{
    trace_call("guTexSource", {id});
    const MipMap *m = find_mipmap(id);
    glide.tmu.source = m;
    if (m)
        glide.tmu.modes = m->modes;
}

void FX_CALL grTexClampMode(GrChipID_t tmu, GrTextureClampMode_t clamp_s, GrTextureClampMode_t clamp_t)
{
    trace_call("grTexClampMode", {tmu, clamp_s, clamp_t});
    if (tmu != GR_TMU0)
        return;
    auto valid = [](GrTextureClampMode_t m) {
        return m == GR_TEXTURECLAMP_WRAP || m == GR_TEXTURECLAMP_CLAMP;
    };
    if (valid(clamp_s))
        glide.tmu.modes.clamp_s = clamp_s;
    if (valid(clamp_t))
        glide.tmu.modes.clamp_t = clamp_t;
}
