// tdf.cpp - gu3dfGetInfo and gu3dfLoad: reading 3DF texture files.
//
// A 3DF file is four text lines, each ended by a newline:
//     3df v1.0
//     rgb565                   (the format's name, see texel_format_name)
//     lod range: 1 256         (the smallest and largest level's larger side)
//     aspect ratio: 1 1        (width to height: 8 1, 4 1, 2 1, 1 1, 1 2, 1 4, 1 8)
// and then, all multi-byte values big-endian, with nothing in between:
//   - for the YIQ formats the NCC table: 16 Y values (0..255), 4 I and 4 Q
//     entries of red, green, blue (-256..255), each as 16 bits;
//   - for the palette formats 256 entries as 32-bit 0xAARRGGBB;
//   - the texels of every level from the largest to the smallest, row by row,
//     one byte or one 16-bit value each;
// and then the end of the file.
//
// The header is read the forgiving way: blank lines, spaces and tabs around
// the words, carriage returns before the newlines and any letter case are
// accepted. The values are not: unknown formats, sizes that are not powers of
// two from 1 to 256, a smallest level larger than the largest, aspect ratios
// other than the seven above, table values out of range, and data that is
// shorter or longer than the header says all make the file invalid. Nothing
// is read past the end of the file or written past the caller's block.
//
// gu3dfLoad also fills the NCC table's packed_data, in the layout of the
// accelerator's NCC registers: words 0-3 hold the Y values four to a word,
// yRGB[4k] in bits 0-7 up to yRGB[4k+3] in bits 24-31; words 4-7 hold
// iRGB[0..3] and words 8-11 qRGB[0..3], each entry as 9-bit two's complement
// red in bits 18-26, green in bits 9-17 and blue in bits 0-8.
#include <lumivex_texels.h>
#include "platform/glide/trace.h"

#include <glide.h>

#include <cstdio>
#include <cstring>
#include <memory>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int MAX_LINE = 80;

struct TdfHeader {
    GrTextureFormat_t format;
    GrLOD_t small_lod, large_lod;
    GrAspectRatio_t aspect;
    int width, height;   // of the largest level
    size_t table_bytes;  // NCC table or palette in the file
    size_t texel_bytes;  // the whole mip chain
};

// Opens a regular file for reading. A FIFO or device in the file's place is
// refused: opened non-blocking and checked, it cannot hang the caller.
FILE *open_regular(const char *name)
{
    if (!name)
        return nullptr;
#ifdef _WIN32
    return std::fopen(name, "rb");
#else
    int fd = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    FILE *f = nullptr;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && fcntl(fd, F_SETFL, 0) == 0)
        f = fdopen(fd, "rb");
    if (!f)
        close(fd);
    return f;
#endif
}

struct CloseFile {
    void operator()(FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, CloseFile>;

// Spaces, tabs and the carriage returns of DOS line ends.
bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads the next line that is not blank into buf, without its line end.
// False at the end of the file, for a line longer than any valid one, and
// for a NUL, which would hide the rest of the line.
bool read_line(FILE *f, char *buf)
{
    for (;;) {
        int n = 0, c;
        while ((c = std::fgetc(f)) != EOF && c != '\n') {
            if (n == MAX_LINE || c == 0)
                return false;
            buf[n++] = char(c);
        }
        if (c == EOF)
            return false;  // every header line ends with a newline
        buf[n] = 0;
        for (int k = 0; k < n; ++k)
            if (!blank(buf[k]))
                return true;
    }
}

// A cursor over one header line.
struct Line {
    const char *p;

    void skip_space()
    {
        while (blank(*p))
            ++p;
    }
    // The next word in any case; a word ends at a blank or a colon.
    bool word(const char *expected)
    {
        skip_space();
        size_t n = std::strlen(expected);
        for (size_t k = 0; k < n; ++k) {
            char c = p[k];
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
            if (c != expected[k])
                return false;
        }
        if (p[n] != 0 && !blank(p[n]) && p[n] != ':')
            return false;
        p += n;
        return true;
    }
    bool colon()
    {
        skip_space();
        if (*p != ':')
            return false;
        ++p;
        return true;
    }
    // A decimal number from 1 to 256, digits only.
    bool number(int *value)
    {
        skip_space();
        int v = 0, digits = 0;
        while (*p >= '0' && *p <= '9') {
            v = v * 10 + (*p++ - '0');
            if (++digits > 3)
                return false;
        }
        if (digits == 0 || v < 1 || v > 256)
            return false;
        if (*p != 0 && !blank(*p))
            return false;
        *value = v;
        return true;
    }
    bool end()
    {
        skip_space();
        return *p == 0;
    }
};

// The level code of a side length: 256 -> GR_LOD_256, ..., 1 -> GR_LOD_1.
bool lod_of_side(int side, GrLOD_t *lod)
{
    for (GrLOD_t l = GR_LOD_256; l <= GR_LOD_1; ++l)
        if (side == 256 >> l) {
            *lod = l;
            return true;
        }
    return false;
}

bool aspect_of_ratio(int w, int h, GrAspectRatio_t *aspect)
{
    static const int RATIOS[7][2] = {{8, 1}, {4, 1}, {2, 1}, {1, 1}, {1, 2}, {1, 4}, {1, 8}};
    for (int a = 0; a < 7; ++a)
        if (w == RATIOS[a][0] && h == RATIOS[a][1]) {
            *aspect = GR_ASPECT_8x1 + a;
            return true;
        }
    return false;
}

bool has_ncc_table(GrTextureFormat_t format)
{
    return format == GR_TEXFMT_YIQ_422 || format == GR_TEXFMT_AYIQ_8422;
}

bool has_palette(GrTextureFormat_t format)
{
    return format == GR_TEXFMT_P_8 || format == GR_TEXFMT_AP_88;
}

constexpr size_t NCC_FILE_BYTES = (16 + 12 + 12) * 2;
constexpr size_t PALETTE_FILE_BYTES = 256 * 4;

// Reads a header line of two words, a colon and two numbers.
bool read_numbers(FILE *f, const char *first, const char *second, int *a, int *b)
{
    char buf[MAX_LINE + 1];
    Line line{buf};
    return read_line(f, buf) && line.word(first) && line.word(second) && line.colon() && line.number(a) &&
           line.number(b) && line.end();
}

// Reads and checks the four header lines, leaving f at the first byte after
// the last newline.
bool read_header(FILE *f, TdfHeader *h)
{
    char buf[MAX_LINE + 1];
    Line line{buf};
    if (!read_line(f, buf) || !line.word("3df") || !line.word("v1.0") || !line.end())
        return false;

    if (!read_line(f, buf))
        return false;
    line.p = buf;
    h->format = -1;
    for (GrTextureFormat_t fmt = 0; fmt < 16; ++fmt) {
        const char *name = texel_format_name(fmt);
        Line probe = line;
        if (name && probe.word(name) && probe.end())
            h->format = fmt;
    }
    if (h->format < 0)
        return false;

    int small_side, large_side;
    if (!read_numbers(f, "lod", "range", &small_side, &large_side) ||
        !lod_of_side(small_side, &h->small_lod) || !lod_of_side(large_side, &h->large_lod) ||
        small_side > large_side)
        return false;

    int ratio_w, ratio_h;
    if (!read_numbers(f, "aspect", "ratio", &ratio_w, &ratio_h) ||
        !aspect_of_ratio(ratio_w, ratio_h, &h->aspect))
        return false;

    lod_size(h->large_lod, h->aspect, &h->width, &h->height);
    h->texel_bytes = mipmap_bytes(h->format, h->small_lod, h->large_lod, h->aspect);
    h->table_bytes = has_ncc_table(h->format) ? NCC_FILE_BYTES
                     : has_palette(h->format) ? PALETTE_FILE_BYTES
                                              : 0;
    return h->texel_bytes != 0;
}

unsigned be16(const unsigned char *p)
{
    return unsigned(p[0]) << 8 | p[1];
}

uint32_t pack9(const FxI16 rgb[3])
{
    return (uint32_t(rgb[0]) & 0x1FF) << 18 | (uint32_t(rgb[1]) & 0x1FF) << 9 | (uint32_t(rgb[2]) & 0x1FF);
}

// Reads the NCC table, refusing values the accelerator cannot hold.
bool read_ncc_table(FILE *f, GuNccTable *t)
{
    unsigned char raw[NCC_FILE_BYTES];
    if (std::fread(raw, 1, sizeof raw, f) != sizeof raw)
        return false;
    for (int k = 0; k < 16; ++k) {
        unsigned y = be16(raw + 2 * k);
        if (y > 255)
            return false;
        t->yRGB[k] = FxU8(y);
    }
    for (int k = 0; k < 24; ++k) {
        int v = int(be16(raw + 32 + 2 * k));
        if (v >= 0x8000)
            v -= 0x10000;
        if (v < -256 || v > 255)
            return false;
        FxI16(*entries)[3] = k < 12 ? t->iRGB : t->qRGB;
        entries[(k % 12) / 3][k % 3] = FxI16(v);
    }
    for (int k = 0; k < 4; ++k)
        t->packed_data[k] = uint32_t(t->yRGB[4 * k]) | uint32_t(t->yRGB[4 * k + 1]) << 8 |
                            uint32_t(t->yRGB[4 * k + 2]) << 16 | uint32_t(t->yRGB[4 * k + 3]) << 24;
    for (int k = 0; k < 4; ++k) {
        t->packed_data[4 + k] = pack9(t->iRGB[k]);
        t->packed_data[8 + k] = pack9(t->qRGB[k]);
    }
    return true;
}

bool read_palette(FILE *f, GuTexPalette *p)
{
    unsigned char raw[PALETTE_FILE_BYTES];
    if (std::fread(raw, 1, sizeof raw, f) != sizeof raw)
        return false;
    for (int k = 0; k < 256; ++k)
        p->data[k] = uint32_t(be16(raw + 4 * k)) << 16 | be16(raw + 4 * k + 2);
    return true;
}

// Reads the texels into data, turning 16-bit values to host order.
bool read_texels(FILE *f, const TdfHeader &h, void *data)
{
    unsigned char *bytes = static_cast<unsigned char *>(data);
    if (std::fread(bytes, 1, h.texel_bytes, f) != h.texel_bytes)
        return false;
    if (texel_size(h.format) == 2) {
        uint16_t *texels = static_cast<uint16_t *>(data);
        for (size_t k = 0; k < h.texel_bytes / 2; ++k)
            texels[k] = uint16_t(be16(bytes + 2 * k));
    }
    return true;
}

void fill_header(const TdfHeader &h, Gu3dfInfo *info)
{
    info->header.width = FxU32(h.width);
    info->header.height = FxU32(h.height);
    info->header.small_lod = h.small_lod;
    info->header.large_lod = h.large_lod;
    info->header.aspect_ratio = h.aspect;
    info->header.format = h.format;
    info->mem_required = FxU32(h.texel_bytes);
}

}  // namespace

FX_ENTRY FxBool FX_CALL gu3dfGetInfo(const char *filename, Gu3dfInfo *info)
{
    trace_call("gu3dfGetInfo", {filename, TracePointer()});
    File file(open_regular(filename));
    TdfHeader h;
    if (!file || !info || !read_header(file.get(), &h))
        return FXFALSE;
    // The data must be exactly as long as the header says: a file cut short
    // or carrying more levels than announced fails here, before the caller
    // allocates for it.
    long start = std::ftell(file.get());
    if (start < 0 || std::fseek(file.get(), 0, SEEK_END) != 0)
        return FXFALSE;
    long end = std::ftell(file.get());
    if (end < start || size_t(end - start) != h.table_bytes + h.texel_bytes)
        return FXFALSE;
    fill_header(h, info);
    return FXTRUE;
}

FX_ENTRY FxBool FX_CALL gu3dfLoad(const char *filename, Gu3dfInfo *info)
{
    trace_call("gu3dfLoad", {filename, TracePointer()});
    File file(open_regular(filename));
    TdfHeader h;
    if (!file || !info || !info->data || !read_header(file.get(), &h))
        return FXFALSE;
    // The caller allocated data for what gu3dfGetInfo described: a file
    // that no longer matches that description (or a record never filled by
    // gu3dfGetInfo) must not be written into the block.
    const Gu3dfHeader &was = info->header;
    if (was.format != h.format || was.small_lod != h.small_lod || was.large_lod != h.large_lod ||
        was.aspect_ratio != h.aspect || info->mem_required != h.texel_bytes)
        return FXFALSE;

    GuTexTable table;
    std::memset(&table, 0, sizeof table);
    if (has_ncc_table(h.format) && !read_ncc_table(file.get(), &table.nccTable))
        return FXFALSE;
    if (has_palette(h.format) && !read_palette(file.get(), &table.palette))
        return FXFALSE;
    if (!read_texels(file.get(), h, info->data))
        return FXFALSE;
    if (std::fgetc(file.get()) != EOF)
        return FXFALSE;
    fill_header(h, info);
    info->table = table;
    return FXTRUE;
}
