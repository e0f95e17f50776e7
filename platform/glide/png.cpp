// png.cpp - writes a frame dump as an 8-bit RGB PNG file through stb.
#include "png.h"

#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

static void append(void *context, void *data, int size)
{
    auto *out = static_cast<std::vector<uint8_t> *>(context);
    auto *bytes = static_cast<const uint8_t *>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool write_png(const char *path, const uint32_t *pixels, int width, int height)
{
    std::vector<uint8_t> rgb((size_t)width * height * 3);
    for (size_t i = 0; i < rgb.size() / 3; ++i) {
        rgb[3 * i] = (uint8_t)(pixels[i] >> 16);
        rgb[3 * i + 1] = (uint8_t)(pixels[i] >> 8);
        rgb[3 * i + 2] = (uint8_t)pixels[i];
    }
    std::vector<uint8_t> png;
    if (!stbi_write_png_to_func(append, &png, width, height, 3, rgb.data(), width * 3))
        return false;
    std::FILE *f = std::fopen(path, "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}
