// Fuzzes the 3DF reader as the show uses it: gu3dfGetInfo, a block of the
// size it asks for, gu3dfLoad into it, then a mip-map allocated to the
// header's description, the texels downloaded and one small triangle drawn
// with them, so that every format's decoding and sampling is reached.
#include "fuzz/memory_file.h"
#include "tests/glide/open_device.h"

#include <glide.h>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
    if (!open_device())
        std::abort();
    guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *name = memory_file(data, size);
    Gu3dfInfo info{};
    if (!gu3dfGetInfo(name, &info))
        return 0;
    std::vector<unsigned char> texels(info.mem_required);
    info.data = texels.data();
    if (!gu3dfLoad(name, &info))
        return 0;

    const Gu3dfHeader &h = info.header;
    guTexMemReset();
    GrMipMapId_t id = guTexAllocateMemory(
        GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, int(h.width), int(h.height), h.format, GR_MIPMAP_NEAREST,
        h.small_lod, h.large_lod, h.aspect_ratio, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP,
        GR_TEXTUREFILTER_BILINEAR, GR_TEXTUREFILTER_BILINEAR, 0.0f, FXFALSE);
    if (id == GR_NULL_MIPMAP_HANDLE)
        std::abort();  // a file gu3dfLoad took must fit an empty memory
    guTexDownloadMipMap(id, info.data, &info.table.nccTable);
    guTexSource(id);
    GrVertex v[3] = {};
    const float corners[3][4] = {{10, 10, 0, 0}, {40, 10, 255, 0}, {10, 40, 0, 255}};
    for (int k = 0; k < 3; ++k) {
        v[k].x = corners[k][0];
        v[k].y = corners[k][1];
        v[k].oow = v[k].tmuvtx[0].oow = 1;
        v[k].tmuvtx[0].sow = corners[k][2];
        v[k].tmuvtx[0].tow = corners[k][3];
    }
    guDrawTriangleWithClip(&v[0], &v[1], &v[2]);
    return 0;
}
