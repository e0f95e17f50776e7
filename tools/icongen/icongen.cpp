// icongen.cpp - the program's icon: the show's torus, drawn by the show's own
// draw mode through our Glide, cut to a square with the black around it made
// transparent, written as PNG at the sizes desktops ask for.
// Usage: icongen PAK_DIR OUT_DIR   writes OUT_DIR/lumivex-SIZE.png
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <lumivex_glide.h>

#include "device/glidemain.h"
#include "render/draw_modes.h"

static const int SIZES[] = {48, 128, 256};
static const int SQUARE = 480;  // the middle of the screen, where the torus is
// Tilted to show its hole and turned a little, just far enough to fit whole.
static const Vector3 ICON_ANGLES = {50.0f, 0.0f, 20.0f};
static const Vector3 ICON_POSITION = {0.0f, 10.0f, 78.0f};

// RGBA of the square, the cleared black left transparent.
static std::vector<unsigned char> square_rgba(const uint16_t *screen)
{
    std::vector<unsigned char> rgba(SQUARE * SQUARE * 4);
    int left = (lumivex::SCREEN_WIDTH - SQUARE) / 2;
    for (int y = 0; y < SQUARE; ++y) {
        for (int x = 0; x < SQUARE; ++x) {
            uint16_t p = screen[y * lumivex::SCREEN_WIDTH + left + x];
            unsigned char *o = &rgba[(y * SQUARE + x) * 4];
            o[0] = (unsigned char)((p >> 11) * 255 / 31);
            o[1] = (unsigned char)((p >> 5 & 63) * 255 / 63);
            o[2] = (unsigned char)((p & 31) * 255 / 31);
            o[3] = p ? 255 : 0;
        }
    }
    return rgba;
}

// Each icon pixel is the mean of the square's pixels under it, weighted by
// their cover, so the edge fades instead of stepping.
static std::vector<unsigned char> shrink(const std::vector<unsigned char> &rgba, int size)
{
    std::vector<unsigned char> out(size * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};
            int n = 0;
            for (int sy = y * SQUARE / size; sy < (y + 1) * SQUARE / size; ++sy) {
                for (int sx = x * SQUARE / size; sx < (x + 1) * SQUARE / size; ++sx) {
                    const unsigned char *p = &rgba[(sy * SQUARE + sx) * 4];
                    for (int c = 0; c < 3; ++c)
                        sum[c] += p[c] * (p[3] / 255.0);
                    sum[3] += p[3];
                    ++n;
                }
            }
            unsigned char *o = &out[(y * size + x) * 4];
            double cover = sum[3] / 255.0;
            for (int c = 0; c < 3; ++c)
                o[c] = (unsigned char)(cover > 0 ? sum[c] / cover + 0.5 : 0);
            o[3] = (unsigned char)(sum[3] / n + 0.5);
        }
    }
    return out;
}

// As in the show, the mesh lives until the process ends: held in a global
// (not a static, which the optimiser may turn into main's local), it is
// still reachable then, not leaked.
Mesh *torus;

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: icongen PAK_DIR OUT_DIR\n");
        return 2;
    }
    std::string pak = argv[1], out = argv[2];
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
    // The icon is the show's own 640x480 16-bit picture, whatever the settings.
    unsetenv("LUMIVEX_RESOLUTION");
    unsetenv("LUMIVEX_COLOUR");
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();

    torus = mesh_load((pak + "/torus.dat").c_str());
    Gu3dfInfo *info = voo_load_3df((pak + "/torus.3df").c_str());
    if (!torus || !info) {
        fprintf(stderr, "icongen: cannot load the torus from %s\n", pak.c_str());
        return 1;
    }
    mesh_normalise(torus, 100.0f);
    GrMipMapId_t texture = voo_download_texture(info);
    guColorCombineFunction(GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);
    grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);
    guTexSource(texture);
    draw_torus(torus, ICON_ANGLES, ICON_POSITION);
    voo_end_frame();

    std::vector<unsigned char> rgba = square_rgba(lumivex::glide_colour_buffer(GR_BUFFER_FRONTBUFFER).rgb565);
    voo_close();
    for (int size : SIZES) {
        std::string path = out + "/lumivex-" + std::to_string(size) + ".png";
        std::vector<unsigned char> icon = shrink(rgba, size);
        if (!stbi_write_png(path.c_str(), size, size, 4, icon.data(), size * 4)) {
            fprintf(stderr, "icongen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
