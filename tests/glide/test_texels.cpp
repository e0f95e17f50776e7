// Texel formats: chains that cannot be, and decoding against texels
// worked out by hand.
#include <lumivex_texels.h>

#include <gtest/gtest.h>

namespace {

// Chains that cannot be: none of their bytes are counted.
TEST(Texels, ImpossibleChainsHaveNoBytes)
{
    // The smallest level larger than the largest, values out of range, reserved formats.
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_64, GR_LOD_16, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1 + 1, GR_LOD_256, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1, GR_LOD_256, 7), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RSVD1, GR_LOD_1, GR_LOD_256, GR_ASPECT_1x1), 0u);
}

// Channels widen by bit replication; NCC sums Y, I and Q per channel and
// clamps; a palette gives the colour and an AP88 texel its alpha.
TEST(Texels, DecodingAgainstTexelsWorkedOutByHand)
{
    GuTexTable ncc{}, palette{};
    for (int k = 0; k < 16; ++k)
        ncc.nccTable.yRGB[k] = FxU8(k * 17);
    const FxI16 i[3][3] = {{40, -20, -100}, {-256, 255, 7}, {1, 2, 3}},
                q[3][3] = {{-30, 60, 90}, {10, -10, 250}, {-5, -6, -7}};
    for (int e = 0; e < 3; ++e)
        for (int c = 0; c < 3; ++c) {
            ncc.nccTable.iRGB[e + 1][c] = i[e][c];
            ncc.nccTable.qRGB[e + 1][c] = q[e][c];
        }
    for (int k = 0; k < 256; ++k)
        palette.palette.data[k] = FxU32(0x11000000u * (k & 15)) | FxU32(k * 0x010203u);
    const struct {
        GrTextureFormat_t format;
        uint16_t texel;
        uint32_t argb;
        const GuTexTable *table = nullptr;
    } cases[] = {
        {GR_TEXFMT_RGB_332, 0xAA, 0xFFB649AAu},  // red 5 -> 10110110, green 2 -> 01001001, blue 2 -> 10101010
        {GR_TEXFMT_ARGB_1555, 0x8000 | (1 << 10) | (30 << 5) | 3, 0xFF08F718u},
        {GR_TEXFMT_ARGB_1555, 0x7FFF, 0x00FFFFFFu},
        {GR_TEXFMT_ARGB_4444, 0x1A5F, 0x11AA55FFu},
        {GR_TEXFMT_ARGB_8332, 0x80E3, 0x80FF00FFu},
        {GR_TEXFMT_ALPHA_8, 0x7B, 0x7BFFFFFFu},
        {GR_TEXFMT_INTENSITY_8, 0x7B, 0xFF7B7B7Bu},
        {GR_TEXFMT_ALPHA_INTENSITY_44, 0x3C, 0x33CCCCCCu},
        {GR_TEXFMT_ALPHA_INTENSITY_88, 0x12F0, 0x12F0F0F0u},
        {GR_TEXFMT_YIQ_422, 0xFA, 0xFF09FFFFu,
         &ncc},  // 255 + (-256, 255, 7) + (10, -10, 250): 500 and 512 clamp
        {GR_TEXFMT_YIQ_422, 0x0B, 0xFF00F900u, &ncc},      // 0 + (-256, 255, 7) + (-5, -6, -7): -261 clamps
        {GR_TEXFMT_AYIQ_8422, 0x40A5, 0x40B4D2A0u, &ncc},  // Y 170, I (40, -20, -100), Q (-30, 60, 90)
        {GR_TEXFMT_YIQ_422, 0xFF, 0xFF000000u},            // no table: an all-zero one
        {GR_TEXFMT_P_8, 0x05, 0xFF050A0Fu, &palette},
        {GR_TEXFMT_P_8, 0xFF, 0xFF0100FDu, &palette},
        {GR_TEXFMT_AP_88, 0x7F05, 0x7F050A0Fu, &palette},
        {GR_TEXFMT_RSVD2, 0x1234, 0u},
    };
    for (const auto &c : cases) {
        uint32_t out = 0xDEADBEEF;
        uint8_t narrow = uint8_t(c.texel);
        decode_texels(c.format, texel_size(c.format) == 1 ? (const void *)&narrow : &c.texel, 1, c.table,
                      &out);
        EXPECT_EQ(out, c.argb) << std::hex << c.format << " " << c.texel;
    }
}

}  // namespace
