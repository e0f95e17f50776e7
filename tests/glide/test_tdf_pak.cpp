// The show's three textures load through the library as whole 256x256
// chains, and the cube texture keeps distinct, saturated colours next to
// texel (0,0) on every level: all the cubes ever show.
#include <lumivex_texels.h>

#include <glide.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Loaded {
    Gu3dfInfo info{};
    std::vector<uint8_t> data;
};

bool load(const char *name, Loaded *out) {
    std::string path = std::string(LUMIVEX_SOURCE_DIR) + "/pak/" + name;
    if (!gu3dfGetInfo(path.c_str(), &out->info)) return false;
    out->data.resize(out->info.mem_required);
    out->info.data = out->data.data();
    return gu3dfLoad(path.c_str(), &out->info);
}

int channel(uint32_t c, int shift) { return int(c >> shift) & 0xFF; }

int saturation(uint32_t c) {
    int r = channel(c, 16), g = channel(c, 8), b = channel(c, 0);
    int hi = std::max(r, std::max(g, b)), lo = std::min(r, std::min(g, b));
    return hi - lo;
}

int distance(uint32_t a, uint32_t b) {
    return std::abs(channel(a, 16) - channel(b, 16)) + std::abs(channel(a, 8) - channel(b, 8)) +
           std::abs(channel(a, 0) - channel(b, 0));
}

TEST(PakTextures, LoadAsWholeChainsWithAnNccAndA16BitFormat) {
    bool ncc = false, sixteen = false;
    for (const char *name : {"3dfx.3df", "cube.3df", "torus.3df"}) {
        Loaded t;
        ASSERT_TRUE(load(name, &t)) << name;
        EXPECT_EQ(t.info.header.width, 256u) << name;
        EXPECT_EQ(t.info.header.height, 256u) << name;
        EXPECT_EQ(t.info.header.large_lod, GR_LOD_256) << name;
        EXPECT_EQ(t.info.header.small_lod, GR_LOD_1) << name;
        EXPECT_EQ(t.info.header.aspect_ratio, GR_ASPECT_1x1) << name;
        ncc |= t.info.header.format == GR_TEXFMT_YIQ_422;
        sixteen |= texel_size(t.info.header.format) == 2;
    }
    EXPECT_TRUE(ncc);
    EXPECT_TRUE(sixteen);
}

TEST(PakTextures, CubeCornerTexelsAreDistinctAndSaturatedOnEveryLevel) {
    Loaded t;
    ASSERT_TRUE(load("cube.3df", &t));
    const uint8_t *level = t.data.data();
    for (GrLOD_t lod = GR_LOD_256; lod <= GR_LOD_2; ++lod) {
        int w, h;
        lod_size(lod, GR_ASPECT_1x1, &w, &h);
        std::vector<uint32_t> px(size_t(w) * size_t(h));
        decode_texels(t.info.header.format, level, px.size(), &t.info.table, px.data());
        level += px.size() * size_t(texel_size(t.info.header.format));
        // The texels a cube face samples: (0,0) and its neighbours, wrapping.
        std::vector<uint32_t> seen;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (w == 2 && (dx < 0 || dy < 0)) continue; // -1 is +1 there
                uint32_t c = px[size_t((dy + h) % h) * size_t(w) + size_t((dx + w) % w)];
                if (dx || dy) {
                    EXPECT_GE(saturation(c), 150) << "level " << w << " at " << dx << "," << dy;
                }
                for (uint32_t other : seen) {
                    EXPECT_GE(distance(c, other), 60) << "level " << w << " at " << dx << "," << dy;
                }
                seen.push_back(c);
            }
    }
}

} // namespace
