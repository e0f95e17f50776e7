// tdf.cpp - fuzzes the 3DF reader through the show's own loader: the device
// opened as the show opens it, the file read and downloaded by voo_load_3df
// and voo_download_texture, and one small triangle drawn with the texels, so
// that every format's decoding and sampling is reached.
#include "device/glidemain.h"
#include "fuzz/memory_file.h"

#include <glide.h>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Gu3dfInfo *info = voo_load_3df(memory_file(data, size));
    if (!info)
        return 0;
    guTexMemReset();
    const GrMipMapId_t id = voo_download_texture(info);
    if (id == GR_NULL_MIPMAP_HANDLE)
        std::abort();  // a file gu3dfLoad took must fit an empty memory
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
