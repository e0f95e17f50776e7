// Texel formats: sizes of levels and chains, and decoding against texels
// worked out by hand.
#include <lumivex_texels.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

uint32_t decode1(GrTextureFormat_t format, uint16_t texel, const GuTexTable *table = nullptr) {
    uint32_t out = 0xDEADBEEF;
    if (texel_size(format) == 1) {
        uint8_t t = uint8_t(texel);
        decode_texels(format, &t, 1, table, &out);
    } else {
        decode_texels(format, &texel, 1, table, &out);
    }
    return out;
}

TEST(TexelSizes, BytesPerTexelAndNames) {
    for (GrTextureFormat_t f : {GR_TEXFMT_RGB_332, GR_TEXFMT_YIQ_422, GR_TEXFMT_ALPHA_8,
                                GR_TEXFMT_INTENSITY_8, GR_TEXFMT_ALPHA_INTENSITY_44, GR_TEXFMT_P_8})
        EXPECT_EQ(texel_size(f), 1) << f;
    for (GrTextureFormat_t f = GR_TEXFMT_ARGB_8332; f <= GR_TEXFMT_AP_88; ++f) EXPECT_EQ(texel_size(f), 2) << f;
    for (GrTextureFormat_t f : {GR_TEXFMT_RSVD0, GR_TEXFMT_RSVD1, GR_TEXFMT_RSVD2, -1, 16, 1000}) {
        EXPECT_EQ(texel_size(f), 0) << f;
        EXPECT_EQ(texel_format_name(f), nullptr) << f;
    }
    EXPECT_STREQ(texel_format_name(GR_TEXFMT_YIQ_422), "yiq");
    EXPECT_STREQ(texel_format_name(GR_TEXFMT_AYIQ_8422), "ayiq8422");
    EXPECT_STREQ(texel_format_name(GR_TEXFMT_RGB_565), "rgb565");
}

TEST(TexelSizes, LevelSizesFollowTheAspectAndNeverDropBelowOne) {
    struct Case { GrLOD_t lod; GrAspectRatio_t aspect; int w, h; };
    const Case cases[] = {
        {GR_LOD_256, GR_ASPECT_1x1, 256, 256}, {GR_LOD_256, GR_ASPECT_2x1, 256, 128},
        {GR_LOD_256, GR_ASPECT_1x8, 32, 256},  {GR_LOD_8, GR_ASPECT_4x1, 8, 2},
        {GR_LOD_4, GR_ASPECT_1x8, 1, 4},       {GR_LOD_2, GR_ASPECT_8x1, 2, 1},
        {GR_LOD_1, GR_ASPECT_1x2, 1, 1},
    };
    for (const Case &c : cases) {
        int w = 0, h = 0;
        ASSERT_TRUE(lod_size(c.lod, c.aspect, &w, &h)) << c.lod << " " << c.aspect;
        EXPECT_EQ(w, c.w) << c.lod << " " << c.aspect;
        EXPECT_EQ(h, c.h) << c.lod << " " << c.aspect;
    }
    int w, h;
    EXPECT_FALSE(lod_size(-1, GR_ASPECT_1x1, &w, &h));
    EXPECT_FALSE(lod_size(GR_LOD_1 + 1, GR_ASPECT_1x1, &w, &h));
    EXPECT_FALSE(lod_size(GR_LOD_1, GR_ASPECT_1x8 + 1, &w, &h));
    EXPECT_FALSE(lod_size(GR_LOD_1, -1, &w, &h));
}

TEST(TexelSizes, ChainBytes) {
    // 256x256 down to 1x1: 87381 texels.
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1, GR_LOD_256, GR_ASPECT_1x1), 2u * 87381);
    // 256x32, 128x16, 64x8, 32x4, 16x2, 8x1, then 4x1, 2x1, 1x1.
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_P_8, GR_LOD_1, GR_LOD_256, GR_ASPECT_8x1), 10927u);
    // 32x64, 16x32, 8x16.
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_YIQ_422, GR_LOD_16, GR_LOD_64, GR_ASPECT_1x2), 2688u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_AP_88, GR_LOD_16, GR_LOD_16, GR_ASPECT_1x1), 512u);
    // The smallest level larger than the largest, values out of range, reserved formats.
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_64, GR_LOD_16, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1 + 1, GR_LOD_256, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1, -1, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1, GR_LOD_256, 7), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RSVD1, GR_LOD_1, GR_LOD_256, GR_ASPECT_1x1), 0u);
}

TEST(TexelDecoding, ChannelsWidenByBitReplication) {
    // rgb332 101 010 10: red 5 -> 10110110, green 2 -> 01001001, blue 2 -> 10101010.
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_332, 0xAA), 0xFFB649AAu);
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_332, 0xFF), 0xFFFFFFFFu);
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_332, 0x00), 0xFF000000u);
    // rgb565 10000 100000 10000: 5-bit 16 -> 132, 6-bit 32 -> 130.
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_565, 0x8410), 0xFF848284u);
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_565, 0xFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_565, 0xF800), 0xFFFF0000u);
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_565, 0x07E0), 0xFF00FF00u);
    EXPECT_EQ(decode1(GR_TEXFMT_RGB_565, 0x001F), 0xFF0000FFu);
    // argb1555: the single alpha bit is all or nothing.
    EXPECT_EQ(decode1(GR_TEXFMT_ARGB_1555, 0x8000 | (1 << 10) | (30 << 5) | 3), 0xFF08F718u);
    EXPECT_EQ(decode1(GR_TEXFMT_ARGB_1555, 0x7FFF), 0x00FFFFFFu);
    // argb4444 and argb8332.
    EXPECT_EQ(decode1(GR_TEXFMT_ARGB_4444, 0x1A5F), 0x11AA55FFu);
    EXPECT_EQ(decode1(GR_TEXFMT_ARGB_8332, 0x80E3), 0x80FF00FFu);
}

TEST(TexelDecoding, AlphaAndIntensityFormats) {
    EXPECT_EQ(decode1(GR_TEXFMT_ALPHA_8, 0x7B), 0x7BFFFFFFu);
    EXPECT_EQ(decode1(GR_TEXFMT_INTENSITY_8, 0x7B), 0xFF7B7B7Bu);
    EXPECT_EQ(decode1(GR_TEXFMT_ALPHA_INTENSITY_44, 0x3C), 0x33CCCCCCu);
    EXPECT_EQ(decode1(GR_TEXFMT_ALPHA_INTENSITY_88, 0x12F0), 0x12F0F0F0u);
}

GuTexTable ncc_table() {
    GuTexTable t{};
    for (int k = 0; k < 16; ++k) t.nccTable.yRGB[k] = FxU8(k * 17);
    const FxI16 i[4][3] = {{0, 0, 0}, {40, -20, -100}, {-256, 255, 7}, {1, 2, 3}};
    const FxI16 q[4][3] = {{0, 0, 0}, {-30, 60, 90}, {10, -10, 250}, {-5, -6, -7}};
    for (int e = 0; e < 4; ++e)
        for (int c = 0; c < 3; ++c) {
            t.nccTable.iRGB[e][c] = i[e][c];
            t.nccTable.qRGB[e][c] = q[e][c];
        }
    return t;
}

TEST(TexelDecoding, NccSumsYIAndQPerChannelAndClamps) {
    GuTexTable t = ncc_table();
    // Y 10 (170), I 1 (40, -20, -100), Q 1 (-30, 60, 90): 180, 210, 160.
    EXPECT_EQ(decode1(GR_TEXFMT_YIQ_422, 0xA5, &t), 0xFFB4D2A0u);
    // Y 15 (255), I 2 (-256, 255, 7), Q 2 (10, -10, 250): 9, 500 -> 255, 512 -> 255.
    EXPECT_EQ(decode1(GR_TEXFMT_YIQ_422, 0xFA, &t), 0xFF09FFFFu);
    // Y 0, I 2, Q 3 (-5, -6, -7): -261 -> 0, 249, 0.
    EXPECT_EQ(decode1(GR_TEXFMT_YIQ_422, 0x0B, &t), 0xFF00F900u);
    // Y 3 (51), I 0, Q 0: plain grey.
    EXPECT_EQ(decode1(GR_TEXFMT_YIQ_422, 0x30, &t), 0xFF333333u);
    // The alpha form carries its alpha in the high byte.
    EXPECT_EQ(decode1(GR_TEXFMT_AYIQ_8422, 0x40A5, &t), 0x40B4D2A0u);
}

TEST(TexelDecoding, PaletteGivesColourAndTheFormatGivesAlpha) {
    GuTexTable t{};
    for (int k = 0; k < 256; ++k) t.palette.data[k] = FxU32(0x11000000u * (k & 15)) | FxU32(k * 0x010203u);
    EXPECT_EQ(decode1(GR_TEXFMT_P_8, 0x05, &t), 0xFF050A0Fu);
    EXPECT_EQ(decode1(GR_TEXFMT_P_8, 0xFF, &t), 0xFF0100FDu);
    EXPECT_EQ(decode1(GR_TEXFMT_AP_88, 0x7F05, &t), 0x7F050A0Fu);
    EXPECT_EQ(decode1(GR_TEXFMT_AP_88, 0x0005, &t), 0x00050A0Fu);
}

TEST(TexelDecoding, RunsOfTexelsAndUnknownFormats) {
    const uint16_t texels[3] = {0xF800, 0x07E0, 0x001F};
    uint32_t out[3];
    decode_texels(GR_TEXFMT_RGB_565, texels, 3, nullptr, out);
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_EQ(out[1], 0xFF00FF00u);
    EXPECT_EQ(out[2], 0xFF0000FFu);
    decode_texels(GR_TEXFMT_RSVD2, texels, 3, nullptr, out);
    EXPECT_EQ(out[0] | out[1] | out[2], 0u);
    // A table format without a table decodes as an all-zero table.
    EXPECT_EQ(decode1(GR_TEXFMT_YIQ_422, 0xFF), 0xFF000000u);
    EXPECT_EQ(decode1(GR_TEXFMT_AP_88, 0x80FF), 0x80000000u);
}

} // namespace
