// tdf_write.cpp - writes a Texture as a 3DF file: the text header, the NCC
// table or the palette for the formats that have one, then every level,
// all big-endian.
#include "texgen.h"

#include <lumivex_texels.h>

#include <cstdio>

namespace {

void put16(std::vector<uint8_t> &out, unsigned v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

}  // namespace

bool write_3df(const std::string &path, const Texture &texture)
{
    const char *name = texel_format_name(texture.format);
    size_t expected = mipmap_bytes(texture.format, GR_LOD_1, GR_LOD_256, GR_ASPECT_1x1);
    int bytes_per_texel = texel_size(texture.format);
    if (!name || texture.texels.size() * size_t(bytes_per_texel) != expected)
        return false;

    std::string header = std::string("3df v1.0\n") + name + "\nlod range: 1 256\naspect ratio: 1 1\n";
    std::vector<uint8_t> out(header.begin(), header.end());
    if (texture.format == GR_TEXFMT_YIQ_422 || texture.format == GR_TEXFMT_AYIQ_8422) {
        const GuNccTable &n = texture.table.nccTable;
        for (FxU8 y : n.yRGB)
            put16(out, y);
        for (const auto *entries : {n.iRGB, n.qRGB})
            for (int k = 0; k < 4; ++k)
                for (int c = 0; c < 3; ++c)
                    put16(out, unsigned(entries[k][c]) & 0xFFFF);
    }
    if (texture.format == GR_TEXFMT_P_8 || texture.format == GR_TEXFMT_AP_88)
        for (FxU32 entry : texture.table.palette.data) {
            put16(out, unsigned(entry >> 16));
            put16(out, unsigned(entry & 0xFFFF));
        }
    for (uint16_t t : texture.texels) {
        if (bytes_per_texel == 2)
            put16(out, t);
        else
            out.push_back(uint8_t(t));
    }

    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}
