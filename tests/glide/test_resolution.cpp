// LUMIVEX_RESOLUTION: the program's 640x480 drawn finer. Edges move by less
// than a pixel of the program's, and textures take finer levels.
#include "glide_test.h"

using namespace glide_test;

namespace {

// Reopens the device drawing at resolution times 640x480.
void reopen(int resolution) { reopen_with("LUMIVEX_RESOLUTION", std::to_string(resolution)); }

const uint16_t *back() { return lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER); }

// Triangles of every slope and size, some cut by the clip window.
void draw_scene() {
    grClipWindow(8, 8, 632, 472);
    guColorCombineFunction(GR_COLORCOMBINE_ITRGB);
    triangle(vertex(10.5f, 20.25f), vertex(300.0625f, 41.5f), vertex(120.75f, 400.125f));
    triangle(vertex(600, 5), vertex(639.5f, 470), vertex(350.3125f, 300.5f));
    triangle(vertex(-50, 300), vertex(200, 479.9375f), vertex(30.5f, 470));
    triangle(vertex(400, 100), vertex(401.5f, 100.25f), vertex(400.25f, 104));
}

}  // namespace

class ResolutionTest : public GlideTest {};

// Each pixel of the program's screen is the same at resolution 2 (as the
// most of its four) as at 1, but where an edge passes next to it.
TEST_F(ResolutionTest, AFinerFrameCoversTheSamePixelsButAlongEdges) {
    draw_scene();
    std::vector<bool> coarse(640 * 480);
    for (int i = 0; i < 640 * 480; ++i) coarse[i] = back()[i] != 0;
    reopen(2);
    draw_scene();
    int covered = 0, differing = 0;
    for (int y = 1; y < 479; ++y)
        for (int x = 1; x < 639; ++x) {
            const uint16_t *fine = back() + (2 * y) * 1280 + 2 * x;
            const bool inside = (fine[0] != 0) + (fine[1] != 0) + (fine[1280] != 0) + (fine[1281] != 0) >= 2;
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) edge |= coarse[(y + dy) * 640 + x + dx] != coarse[y * 640 + x];
            covered += coarse[y * 640 + x];
            differing += !edge && inside != coarse[y * 640 + x];
        }
    EXPECT_GT(covered, 50000);
    EXPECT_EQ(differing, 0);
}

// A texture whose levels are flat colours of their own, squeezed so that
// the coarse screen takes level 2 or 3: four times finer pixels take levels
// two finer.
TEST_F(ResolutionTest, FinerPixelsSampleFinerTextureLevels) {
    static const uint16_t level_colour[] = {0xF800, 0x07E0, 0x001F, 0xFFE0, 0x07FF, 0xF81F, 0xFFFF, 0x8410, 0x0410};
    auto draw = [&] {
        guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
        load_texture(GR_LOD_256, GR_LOD_1, [&](int level, int, int) { return level_colour[level]; },
                     GR_MIPMAP_NEAREST);
        // 256 texels over 50 pixels: about 2.4 levels down at resolution 1.
        quad(textured(100, 100, 0, 0), textured(150, 100, 256, 0), textured(150, 150, 256, 256),
             textured(100, 150, 0, 256));
    };
    auto level_at = [](int x, int y, int stride) {
        const uint16_t p = back()[y * stride + x];
        for (int level = 0; level < 9; ++level)
            if (p == level_colour[level]) return level;
        return -1;
    };
    draw();
    const int coarse = level_at(125, 125, 640);
    reopen(4);
    draw();
    EXPECT_EQ(coarse, 2);
    EXPECT_EQ(level_at(500, 500, 2560), coarse - 2);
}
