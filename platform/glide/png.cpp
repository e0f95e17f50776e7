// png.cpp - see png.h. A PNG is a signature and chunks (length, type, data,
// CRC of type and data); the picture is a zlib stream of rows, each led by
// its filter byte (0: none). Stored deflate blocks carry at most 65535 bytes.
#include "png.h"

#include <cstdio>

static const uint32_t *crc_table() {
    static uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        made = true;
    }
    return table;
}

uint32_t png_crc32(const uint8_t *bytes, size_t count, uint32_t crc) {
    const uint32_t *table = crc_table();
    uint32_t c = crc ^ 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t png_adler32(const uint8_t *bytes, size_t count) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < count; ++i) {
        a = (a + bytes[i]) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

static void put32(std::vector<uint8_t> &out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((uint8_t)(v >> shift));
}

static void chunk(std::vector<uint8_t> &out, const char *type, const std::vector<uint8_t> &data) {
    put32(out, (uint32_t)data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, png_crc32(out.data() + start, out.size() - start));
}

std::vector<uint8_t> encode_png(const uint32_t *pixels, int width, int height) {
    std::vector<uint8_t> raw;
    raw.reserve((size_t)height * (1 + 3 * (size_t)width));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixels[(size_t)y * width + x];
            raw.push_back((uint8_t)(p >> 16));
            raw.push_back((uint8_t)(p >> 8));
            raw.push_back((uint8_t)p);
        }
    }

    std::vector<uint8_t> z = {0x78, 0x01};  // deflate, 32K window, no dictionary
    size_t done = 0;
    do {
        size_t n = raw.size() - done < 65535 ? raw.size() - done : 65535;
        bool last = done + n == raw.size();
        z.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00: stored
        z.push_back((uint8_t)(n & 0xFF));
        z.push_back((uint8_t)(n >> 8));
        z.push_back((uint8_t)(~n & 0xFF));
        z.push_back((uint8_t)(~n >> 8 & 0xFF));
        z.insert(z.end(), raw.begin() + (ptrdiff_t)done, raw.begin() + (ptrdiff_t)(done + n));
        done += n;
    } while (done < raw.size());
    put32(z, png_adler32(raw.data(), raw.size()));

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    put32(ihdr, (uint32_t)width);
    put32(ihdr, (uint32_t)height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    return png;
}

bool write_png(const char *path, const uint32_t *pixels, int width, int height) {
    std::vector<uint8_t> png = encode_png(pixels, width, height);
    std::FILE *f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}
