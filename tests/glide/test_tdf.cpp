// test_tdf.cpp - 3DF files: every format read back from files written here
// byte by byte, the forgiving header, and malformed files that must fail
// without reading or writing past anything. Texel formats: chains that cannot
// be, and decoding against texels worked out by hand.
#include <lumivex_texels.h>

#include <glide.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::string_literals;

void put16(Bytes &b, unsigned v)
{
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}

Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes header(const std::string &format, const std::string &lods = "1 4", const std::string &aspect = "2 1")
{
    std::string h = "3df v1.0\n" + format + "\nlod range: " + lods + "\naspect ratio: " + aspect + "\n";
    return Bytes(h.begin(), h.end());
}

std::string write_file(const std::string &name, const Bytes &bytes)
{
    std::string path = testing::TempDir() + "lumivex_tdf_" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    return path;
}

// The NCC table used in the files below: Y, then I and Q (three 16-bit values an entry).
const int NCC[40] = {0,   16,  32,   48,   64, 80, 96, 112, 128,  144, 160, 176, 192, 208,
                     224, 255, -256, 255,  0,  1,  -1, 100, -100, 37,  -37, 2,   3,   4,
                     5,   -5,  255,  -256, 0,  0,  9,  -9,  70,   -70, 128, -128};

Bytes ncc_bytes()
{
    Bytes b;
    for (int v : NCC)
        put16(b, unsigned(v) & 0xFFFF);
    return b;
}

uint32_t palette_entry(int k)
{
    return 0xFF000000u - uint32_t(k) * 0x01010101u + 0x00123456u * uint32_t(k & 3);
}

// The 11 texels of a 4x2, 2x1, 1x1 chain, or count texels.
Bytes texel_bytes(int size, int count = 11)
{
    Bytes b;
    for (int k = 0; k < count; ++k) {
        if (size == 1)
            b.push_back(uint8_t(k * 37 + 5));
        else
            put16(b, unsigned(k * 0x1357 + 0x0102) & 0xFFFF);
    }
    return b;
}

const auto is_ncc = [](GrTextureFormat_t f) { return f == GR_TEXFMT_YIQ_422 || f == GR_TEXFMT_AYIQ_8422; };
const auto is_palette = [](GrTextureFormat_t f) { return f == GR_TEXFMT_P_8 || f == GR_TEXFMT_AP_88; };

Bytes valid_file(GrTextureFormat_t f)
{
    Bytes table = is_ncc(f) ? ncc_bytes() : Bytes();
    for (int k = 0; is_palette(f) && k < 256; ++k) {
        put16(table, palette_entry(k) >> 16);
        put16(table, palette_entry(k) & 0xFFFF);
    }
    return header(texel_format_name(f)) + table + texel_bytes(texel_size(f));
}

// Loads a file described by `info` (as gu3dfGetInfo filled it) into a block
// with guard bytes behind it, to see that loading never writes past the
// mem_required bytes the caller allocated; info.data is left pointing at the
// freed block, the table filled.
bool load_guarded(const std::string &path, Gu3dfInfo &info)
{
    const size_t size = info.mem_required;
    std::vector<uint8_t> block(size + 64, 0xA5);
    info.data = block.data();
    bool loaded = gu3dfLoad(path.c_str(), &info);
    EXPECT_EQ(std::count(block.begin() + size, block.end(), 0xA5), 64) << path;
    return loaded;
}

}  // namespace

TEST(TdfRead, EveryFormatReadsBackItsHeaderTableAndTexels)
{
    for (int f = GR_TEXFMT_RGB_332; f <= GR_TEXFMT_AP_88; ++f) {
        if (!texel_format_name(f))
            continue;
        SCOPED_TRACE(texel_format_name(f));
        std::string path = write_file("fmt", valid_file(f));
        Gu3dfInfo info;
        std::memset(&info, 0x55, sizeof info);
        ASSERT_TRUE(gu3dfGetInfo(path.c_str(), &info));
        const Gu3dfHeader &h = info.header;
        EXPECT_EQ((std::vector<int>{int(h.width), int(h.height), h.small_lod, h.large_lod, h.aspect_ratio,
                                    h.format}),
                  (std::vector<int>{4, 2, GR_LOD_1, GR_LOD_4, GR_ASPECT_2x1, f}));
        ASSERT_EQ(info.mem_required, FxU32(11 * texel_size(f)));

        ASSERT_TRUE(load_guarded(path, info));
        if (is_ncc(f)) {
            const GuNccTable &t = info.table.nccTable;
            // I entry 0 is (-256, 255, 0): 9-bit 0x100, 0x0FF, 0x000; Q entry 2 is (9, -9, 70).
            const FxU32 *packed = t.packed_data;
            EXPECT_EQ((std::vector<FxU32>{packed[0], packed[3], packed[4], packed[10]}),
                      (std::vector<FxU32>{0x30201000u, 0xFFE0D0C0u, 0x100u << 18 | 0x0FFu << 9,
                                          9u << 18 | 0x1F7u << 9 | 70u}));
        }
        for (int k = 0; is_palette(f) && k < 256; ++k)
            ASSERT_EQ(info.table.palette.data[k], palette_entry(k)) << k;
    }
}

// Every aspect over a whole chain, and chains that cannot be.
TEST(TdfRead, AllAspectsAndNoImpossibleChains)
{
    const struct {
        const char *ratio;
        GrAspectRatio_t aspect;
        FxU32 w, h;
    } cases[] = {
        {"8 1", GR_ASPECT_8x1, 256, 32},
        {"1 1", GR_ASPECT_1x1, 256, 256},
        {"1 8", GR_ASPECT_1x8, 32, 256},
    };
    for (const auto &c : cases) {
        size_t bytes = mipmap_bytes(GR_TEXFMT_INTENSITY_8, GR_LOD_1, GR_LOD_256, c.aspect);
        Gu3dfInfo info{};
        ASSERT_TRUE(gu3dfGetInfo(
            write_file("aspect", header("i8", "1 256", c.ratio) + Bytes(bytes, 7)).c_str(), &info));
        const Gu3dfHeader &h = info.header;
        EXPECT_EQ((std::vector<size_t>{size_t(h.aspect_ratio), h.width, h.height, info.mem_required}),
                  (std::vector<size_t>{size_t(c.aspect), c.w, c.h, bytes}));
    }
    // Chains that cannot be: the smallest level larger than the largest, values out of range,
    // reserved formats. None of their bytes are counted.
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_64, GR_LOD_16, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1 + 1, GR_LOD_256, GR_ASPECT_1x1), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RGB_565, GR_LOD_1, GR_LOD_256, 7), 0u);
    EXPECT_EQ(mipmap_bytes(GR_TEXFMT_RSVD1, GR_LOD_1, GR_LOD_256, GR_ASPECT_1x1), 0u);
}

// Blanks, carriage returns and case do not matter (the load then matches the
// record of the file written here); both calls refuse a bad header, a missing
// file, a FIFO or a missing record.
TEST(TdfRead, ForgivingHeadersReadMalformedOnesAndMissingFilesFail)
{
    const std::string bad[] = {
        "",
        "3df v1.1\nrgb565\nlod range: 1 4\naspect ratio: 2 1\n",
        "3df v1.0\nrgb555\nlod range: 1 4\naspect ratio: 2 1\n",
        "3df v1.0\nlod range: 1 4\naspect ratio: 2 1\n",
        "3df v1.0\nrgb565\nlod range: 1 3\naspect ratio: 2 1\n",
        "3df v1.0\nrgb565\nlod range: 1 512\naspect ratio: 2 1\n",
        "3df v1.0\nrgb565\nlod range: 1 4x\naspect ratio: 2 1\n",
        "3df v1.0\nrgb565\nlod range: 1 0004\naspect ratio: 2 1\n",
        "3df v1.0\nrgb565\naspect ratio: 2 1\nlod range: 1 4\n",
        "3df v1.0\nrgb565\nlod range: 1 4\naspect ratio: 2 1\n" + std::string(100, 'x') + "\n",
        std::string(200, ' ') + "3df v1.0\nrgb565\nlod range: 1 4\naspect ratio: 2 1\n",
        "3df v1.0\nrgb565\0 is not\nlod range: 1 4\naspect ratio: 2 1\n"s,
    };
    Gu3dfInfo good{};
    const std::string good_path = write_file("ok", valid_file(GR_TEXFMT_RGB_565));
    ASSERT_TRUE(gu3dfGetInfo(good_path.c_str(), &good));
    for (const std::string &h : {"3df v1.0\r\nrgb565\r\nlod range: 1 4\r\naspect ratio: 2 1\r\n"s,
                                 "\n  3DF V1.0  \n\n\tRGB565\t\nLOD Range : 1   4\n  aspect ratio:2 1 \n"s}) {
        std::string path = write_file("tolerant", Bytes(h.begin(), h.end()) + texel_bytes(2));
        Gu3dfInfo info{};
        EXPECT_TRUE(gu3dfGetInfo(path.c_str(), &info) && load_guarded(path, good)) << h;
    }
    for (const std::string &h : bad) {
        std::string path = write_file("bad", Bytes(h.begin(), h.end()) + texel_bytes(2));
        Gu3dfInfo info{};
        EXPECT_FALSE(gu3dfGetInfo(path.c_str(), &info)) << h;
        EXPECT_FALSE(load_guarded(path, good)) << h;
    }
    Gu3dfInfo info{};
    EXPECT_FALSE(gu3dfGetInfo((testing::TempDir() + "lumivex_tdf_no_such_file").c_str(), &info));
    // Opening a FIFO for reading waits for a writer: it is refused at once.
    const std::string fifo = testing::TempDir() + "lumivex_tdf_fifo";
    remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(gu3dfGetInfo(fifo.c_str(), &info));
    EXPECT_FALSE(gu3dfLoad(fifo.c_str(), &info));
    remove(fifo.c_str());
    EXPECT_FALSE(gu3dfGetInfo(nullptr, &info));
    EXPECT_FALSE(gu3dfGetInfo(good_path.c_str(), nullptr));
    EXPECT_FALSE(gu3dfLoad(good_path.c_str(), nullptr));
    good.data = nullptr;
    EXPECT_FALSE(gu3dfLoad(good_path.c_str(), &good));
}

// Cut a file short at every byte: both calls fail, and loading with the
// description of the whole file stays inside its block.
TEST(TdfRead, TruncatedOrChangedFilesFail)
{
    for (GrTextureFormat_t f : {GR_TEXFMT_YIQ_422, GR_TEXFMT_AP_88, GR_TEXFMT_ARGB_1555}) {
        SCOPED_TRACE(texel_format_name(f));
        Bytes whole = valid_file(f);
        Gu3dfInfo full{};
        ASSERT_TRUE(gu3dfGetInfo(write_file("whole", whole).c_str(), &full));
        for (size_t n = 0; n < whole.size(); ++n) {
            std::string cut = write_file("cut", Bytes(whole.begin(), whole.begin() + long(n)));
            Gu3dfInfo info{};
            EXPECT_FALSE(gu3dfGetInfo(cut.c_str(), &info)) << n;
            EXPECT_FALSE(load_guarded(cut, full)) << n;
        }
    }

    // Data longer than the header says, a file that no longer matches the record
    // gu3dfGetInfo filled (replaced by a larger one in between), and NCC values
    // out of range: gu3dfLoad fails and stays inside the caller's block.
    std::string path = write_file("swap", valid_file(GR_TEXFMT_RGB_332));
    Gu3dfInfo info{};
    ASSERT_TRUE(gu3dfGetInfo(path.c_str(), &info));
    write_file("swap", valid_file(GR_TEXFMT_RGB_332) + Bytes(1, 0));
    Gu3dfInfo longer{};
    EXPECT_FALSE(gu3dfGetInfo(path.c_str(), &longer));
    for (const Bytes &replaced : {valid_file(GR_TEXFMT_RGB_332) + Bytes(1, 0), valid_file(GR_TEXFMT_RGB_565),
                                  header("rgb332", "1 8") + texel_bytes(1, 43)}) {
        write_file("swap", replaced);
        EXPECT_FALSE(load_guarded(path, info));
    }
    // A Y value above 255, an I value above 255, an I value of -257, a Q value of -32768.
    const struct {
        size_t offset;
        unsigned value;
    } patches[] = {{2 * 3, 256}, {32 + 2 * 4, 256}, {32 + 2 * 7, 0xFEFF}, {56 + 2 * 11, 0x8000}};
    for (const auto &p : patches) {
        Bytes table = ncc_bytes();
        table[p.offset] = uint8_t(p.value >> 8);
        table[p.offset + 1] = uint8_t(p.value);
        std::string ncc = write_file("ncc", header("yiq") + table + texel_bytes(1));
        ASSERT_TRUE(gu3dfGetInfo(ncc.c_str(), &info));
        EXPECT_FALSE(load_guarded(ncc, info)) << p.offset;
    }
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
