// texels.cpp - sizes of mip chains and decoding of every Glide 2.x texel
// format to 0xAARRGGBB. Channels narrower than 8 bits are widened by bit
// replication (5 bits abcde -> abcdeabc), so that the largest code gives 255
// and the smallest 0, as the accelerator's texture unit does.
#include <lumivex_texels.h>

namespace {

constexpr GrLOD_t LARGEST_LOD = GR_LOD_256;
constexpr GrLOD_t SMALLEST_LOD = GR_LOD_1;

const char *const FORMAT_NAMES[16] = {
    "rgb332",   "yiq",      "a8",     "i8",       "ai44",     "p8",   nullptr, nullptr,
    "argb8332", "ayiq8422", "rgb565", "argb1555", "argb4444", "ai88", "ap88",  nullptr,
};

// An n-bit channel v as 8 bits: its bits repeated from the top down.
uint32_t widen(uint32_t v, int n)
{
    uint32_t w = 0;
    for (int shift = 8 - n; shift > -n; shift -= n)
        w |= shift >= 0 ? v << shift : v >> -shift;
    return w;
}

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

uint32_t grey(uint32_t a, uint32_t i)
{
    return argb(a, i, i, i);
}

uint32_t rgb332(uint32_t a, uint32_t t)
{
    return argb(a, widen(t >> 5, 3), widen((t >> 2) & 7, 3), widen(t & 3, 2));
}

uint32_t clamp_channel(int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : uint32_t(v);
}

// An NCC texel is 4 bits of Y, 2 of I and 2 of Q; the table turns each into
// an RGB contribution and the three are summed per channel.
uint32_t ncc(uint32_t a, uint32_t t, const GuTexTable *table)
{
    if (!table)
        return argb(a, 0, 0, 0);
    const GuNccTable &n = table->nccTable;
    int y = n.yRGB[t >> 4];
    const FxI16 *i = n.iRGB[(t >> 2) & 3];
    const FxI16 *q = n.qRGB[t & 3];
    return argb(a, clamp_channel(y + i[0] + q[0]), clamp_channel(y + i[1] + q[1]),
                clamp_channel(y + i[2] + q[2]));
}

// The palette holds colours only: the texel format decides the alpha.
uint32_t palette(uint32_t a, uint32_t t, const GuTexTable *table)
{
    uint32_t rgb = table ? uint32_t(table->palette.data[t]) & 0xFFFFFF : 0;
    return (a << 24) | rgb;
}

uint32_t decode8(GrTextureFormat_t format, uint32_t t, const GuTexTable *table)
{
    switch (format) {
    case GR_TEXFMT_RGB_332: return rgb332(0xFF, t);
    case GR_TEXFMT_YIQ_422: return ncc(0xFF, t, table);
    case GR_TEXFMT_ALPHA_8: return grey(t, 0xFF);
    case GR_TEXFMT_INTENSITY_8: return grey(0xFF, t);
    case GR_TEXFMT_ALPHA_INTENSITY_44: return grey(widen(t >> 4, 4), widen(t & 15, 4));
    case GR_TEXFMT_P_8: return palette(0xFF, t, table);
    default: return 0;
    }
}

uint32_t decode16(GrTextureFormat_t format, uint32_t t, const GuTexTable *table)
{
    uint32_t hi = t >> 8, lo = t & 0xFF;
    switch (format) {
    case GR_TEXFMT_ARGB_8332: return rgb332(hi, lo);
    case GR_TEXFMT_AYIQ_8422: return ncc(hi, lo, table);
    case GR_TEXFMT_RGB_565: return argb(0xFF, widen(t >> 11, 5), widen((t >> 5) & 63, 6), widen(t & 31, 5));
    case GR_TEXFMT_ARGB_1555:
        return argb(t & 0x8000 ? 0xFF : 0, widen((t >> 10) & 31, 5), widen((t >> 5) & 31, 5),
                    widen(t & 31, 5));
    case GR_TEXFMT_ARGB_4444:
        return argb(widen(t >> 12, 4), widen((t >> 8) & 15, 4), widen((t >> 4) & 15, 4), widen(t & 15, 4));
    case GR_TEXFMT_ALPHA_INTENSITY_88: return grey(hi, lo);
    case GR_TEXFMT_AP_88: return palette(hi, lo, table);
    default: return 0;
    }
}

}  // namespace

int texel_size(GrTextureFormat_t format)
{
    if (format < 0 || format > 15 || !FORMAT_NAMES[format])
        return 0;
    return format < GR_TEXFMT_16BIT ? 1 : 2;
}

const char *texel_format_name(GrTextureFormat_t format)
{
    return texel_size(format) ? FORMAT_NAMES[format] : nullptr;
}

bool lod_size(GrLOD_t lod, GrAspectRatio_t aspect, int *width, int *height)
{
    if (lod < LARGEST_LOD || lod > SMALLEST_LOD || aspect < GR_ASPECT_8x1 || aspect > GR_ASPECT_1x8)
        return false;
    int side = 256 >> lod;
    int shift = aspect < GR_ASPECT_1x1 ? GR_ASPECT_1x1 - aspect : aspect - GR_ASPECT_1x1;
    int other = side >> shift;
    if (other < 1)
        other = 1;
    *width = aspect <= GR_ASPECT_1x1 ? side : other;
    *height = aspect <= GR_ASPECT_1x1 ? other : side;
    return true;
}

size_t mipmap_bytes(GrTextureFormat_t format, GrLOD_t small_lod, GrLOD_t large_lod, GrAspectRatio_t aspect)
{
    int bytes = texel_size(format);
    if (!bytes || small_lod < large_lod || large_lod < LARGEST_LOD || small_lod > SMALLEST_LOD)
        return 0;
    size_t total = 0;
    for (GrLOD_t lod = large_lod; lod <= small_lod; ++lod) {
        int w, h;
        if (!lod_size(lod, aspect, &w, &h))
            return 0;
        total += size_t(w) * size_t(h) * size_t(bytes);
    }
    return total;
}

void decode_texels(GrTextureFormat_t format, const void *texels, size_t count, const GuTexTable *table,
                   uint32_t *out)
{
    int bytes = texel_size(format);
    if (bytes == 1) {
        const uint8_t *in = static_cast<const uint8_t *>(texels);
        for (size_t n = 0; n < count; ++n)
            out[n] = decode8(format, in[n], table);
    } else if (bytes == 2) {
        const uint16_t *in = static_cast<const uint16_t *>(texels);
        for (size_t n = 0; n < count; ++n)
            out[n] = decode16(format, in[n], table);
    } else {
        for (size_t n = 0; n < count; ++n)
            out[n] = 0;
    }
}
