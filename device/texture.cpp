// texture.cpp - 3DF textures: the library reads the file into a host copy, which is then
// downloaded whole into texture memory on TMU0.
#include "device/glidemain.h"

#include <stdlib.h>

Gu3dfInfo voo_texinfo;

Gu3dfInfo *voo_load_3df(const char *filename)
{
    if (!gu3dfGetInfo(filename, &voo_texinfo))
        return nullptr;
    voo_texinfo.data = malloc(voo_texinfo.mem_required);
    if (!voo_texinfo.data)
        return nullptr;
    if (!gu3dfLoad(filename, &voo_texinfo)) {
        // Every effect start loads anew: keeping the block would leak one per try.
        free(voo_texinfo.data);
        voo_texinfo.data = nullptr;
        return nullptr;
    }
    return &voo_texinfo;
}

GrMipMapId_t voo_download_texture(Gu3dfInfo *info)
{
    // The handle goes on unchecked: the allocation follows a reset and is the
    // only one in texture memory.
    GrMipMapId_t handle = guTexAllocateMemory(
        GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, info->header.width, info->header.height, info->header.format,
        GR_MIPMAP_NEAREST_DITHER, info->header.small_lod, info->header.large_lod, info->header.aspect_ratio,
        GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP, GR_TEXTUREFILTER_BILINEAR, GR_TEXTUREFILTER_BILINEAR,
        0.0f, FXFALSE);
    guTexDownloadMipMap(handle, info->data, &info->table.nccTable);
    // Nothing reads the host copy after its download; an endless show would
    // otherwise grow by one texture every effect.
    free(info->data);
    info->data = nullptr;
    return handle;
}
