// main.cpp - texgen DIRECTORY [PREVIEW_DIRECTORY]: draws the show's three textures and
// writes them as 3dfx.3df, cube.3df and torus.3df into DIRECTORY. The output
// depends on nothing but this program, so the committed pak files can be
// checked against a fresh run. With a preview directory it also reads each
// file back through the library and writes every level as it decodes, as
// NAME-SIZE.ppm, to look at.
#include "texgen.h"

#include <lumivex_texels.h>

#include <cstdio>

namespace {

bool write_preview(const std::string &file, const std::string &dir, const std::string &name)
{
    Gu3dfInfo info{};
    if (!gu3dfGetInfo(file.c_str(), &info))
        return false;
    std::vector<uint8_t> data(info.mem_required);
    info.data = data.data();
    if (!gu3dfLoad(file.c_str(), &info))
        return false;
    const uint8_t *level = data.data();
    for (GrLOD_t lod = info.header.large_lod; lod <= info.header.small_lod; ++lod) {
        int w, h;
        lod_size(lod, info.header.aspect_ratio, &w, &h);
        std::vector<uint32_t> argb(size_t(w) * size_t(h));
        decode_texels(info.header.format, level, argb.size(), &info.table, argb.data());
        level += argb.size() * size_t(texel_size(info.header.format));
        std::string path = dir + "/" + name + "-" + std::to_string(w) + ".ppm";
        FILE *f = std::fopen(path.c_str(), "wb");
        if (!f)
            return false;
        std::fprintf(f, "P6\n%d %d\n255\n", w, h);
        for (uint32_t c : argb) {
            const unsigned char rgb[3] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
            std::fwrite(rgb, 1, 3, f);
        }
        std::fclose(f);
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: texgen DIRECTORY [PREVIEW_DIRECTORY]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const struct {
        const char *name;
        Texture texture;
    } textures[] = {
        {"3dfx", encode_rgb565(box_chain(logo_picture()))},
        {"cube", encode_rgb565(cube_chain())},
        {"torus", encode_yiq(box_chain(torus_picture()))},
    };
    for (const auto &t : textures) {
        std::string path = dir + "/" + t.name + ".3df";
        if (!write_3df(path, t.texture)) {
            std::fprintf(stderr, "texgen: cannot write %s\n", path.c_str());
            return 1;
        }
        if (argc == 3 && !write_preview(path, argv[2], t.name)) {
            std::fprintf(stderr, "texgen: cannot preview %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
