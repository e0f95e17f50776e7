// scenes.cpp - see scenes.h.
#include "scenes.h"

#include <cmath>
#include <cstdint>

namespace {

struct V3 {
    float x, y, z;
};

// Rotation about X, then Y, then Z, by angles in degrees, then a move.
V3 place(V3 p, V3 angles, V3 at)
{
    const double k = 3.14159265358979 / 180;
    float sx = (float)std::sin(angles.x * k), cx = (float)std::cos(angles.x * k);
    float sy = (float)std::sin(angles.y * k), cy = (float)std::cos(angles.y * k);
    float sz = (float)std::sin(angles.z * k), cz = (float)std::cos(angles.z * k);
    V3 a = {p.x, p.y * cx - p.z * sx, p.y * sx + p.z * cx};
    V3 b = {a.x * cy + a.z * sy, a.y, -a.x * sy + a.z * cy};
    V3 c = {b.x * cz - b.y * sz, b.x * sz + b.y * cz, b.z};
    return {c.x + at.x, c.y + at.y, c.z + at.z};
}

float snap(float v)
{
    volatile float s = v + 786432.0f;
    return s - 786432.0f;
}

struct Corner {
    V3 eye;
    float s, t, tmu_oow, r, g, b;
};

// The show's projection and triangle setup: faces with a corner at or behind
// the viewer are skipped; nothing else is culled.
void add_triangle(std::vector<GrVertex> &out, const Corner (&c)[3])
{
    for (const Corner &k : c)
        if (!(k.eye.z > 0.0f))
            return;
    for (const Corner &k : c) {
        GrVertex v = {};
        v.x = snap((k.eye.x / k.eye.z + 1) * 0.5f * 640.0f);
        v.y = snap((k.eye.y / k.eye.z + 1) * 0.5f * 480.0f);
        v.oow = 1.0f / (k.eye.z + 1.0f);
        v.r = k.r;
        v.g = k.g;
        v.b = k.b;
        v.tmuvtx[0].sow = k.s;
        v.tmuvtx[0].tow = k.t;
        v.tmuvtx[0].oow = k.tmu_oow;
        out.push_back(v);
    }
}

// A grid of nu x nv quads, two triangles each, from corner(i, j).
template <typename F> void add_grid(std::vector<GrVertex> &out, int nu, int nv, F corner)
{
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < nv; ++j) {
            Corner a = corner(i, j), b = corner(i + 1, j), c = corner(i + 1, j + 1), d = corner(i, j + 1);
            add_triangle(out, {a, b, c});
            add_triangle(out, {a, c, d});
        }
}

// A torus of 40 x 20 quads (1600 triangles, 800 vertices), 56 units across at
// depth 40, rocking as the show's does.
void torus_frame(std::vector<GrVertex> &out, float t)
{
    const int NU = 40, NV = 20;
    const float R = 20, r = 8;
    V3 angles = {0, std::sin(t) * 760.0f, std::cos(t) * 392.0f};
    auto corner = [&](int i, int j) {
        float u = (float)i / NU, v = (float)j / NV;
        float a = u * 6.2831853f, b = v * 6.2831853f;
        V3 p = {(R + r * std::cos(b)) * std::cos(a), (R + r * std::cos(b)) * std::sin(a), r * std::sin(b)};
        Corner c;
        c.eye = place(p, angles, {0, 0, 40});
        c.s = u * 255.0f;
        c.t = v * 255.0f;
        c.tmu_oow = 1.0f;
        c.r = 127.5f + 127.5f * std::cos(a);
        c.g = 127.5f + 127.5f * std::sin(b);
        c.b = 200.0f;
        return c;
    };
    add_grid(out, NU, NV, corner);
}

// Four nested cubes of sides 100 to 400 at depth 400, tumbling as the show's
// do; every triangle samples (0,0), (1,0), (1,1) of the texture.
void cubes_frame(std::vector<GrVertex> &out, float t)
{
    static const int faces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                    {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    float s = std::sin(t), c = std::cos(t);
    V3 angles[4] = {{s * 360, s * 180, s * 90},
                    {c * 360, s * 180, s * 90},
                    {s * 360, c * 180, s * 90},
                    {s * 360, s * 180, c * 90}};
    for (int k = 0; k < 4; ++k) {
        float h = 50.0f * (k + 1);
        V3 eye[8];
        for (int i = 0; i < 8; ++i)
            eye[i] = place({i & 1 ? h : -h, i & 2 ? h : -h, i & 4 ? h : -h}, angles[k], {0, 0, 400});
        for (const auto &f : faces) {
            auto corner = [&](int i, float s, float t) { return Corner{eye[i], s, t, 1.0f, 0, 0, 0}; };
            add_triangle(out, {corner(f[0], 0, 0), corner(f[1], 1, 0), corner(f[2], 1, 1)});
            add_triangle(out, {corner(f[0], 0, 0), corner(f[2], 1, 1), corner(f[3], 1, 1)});
        }
    }
}

// A plate of 24 x 8 quads standing in for the logo, swinging at depth 60 to
// 240, textured as the logo (s, t times 4, texture-unit oow 4) and drawn
// without the hint: the first pass's perspective path.
void logo_frame(std::vector<GrVertex> &out, float t)
{
    const int NU = 24, NV = 8;
    float d = std::sin(t) * 720.0f;
    V3 angles = {d * 0.25f + 60.0f, d * 0.1f, d * 0.05f};
    V3 at = {(18.0f - t * 10.0f) * 4.0f * 0.2f, 20.0f * 0.2f, 60.0f + d / 4.0f};
    auto corner = [&](int i, int j) {
        float u = (float)i / NU, v = (float)j / NV;
        Corner c;
        c.eye = place({(u - 0.5f) * 120.0f, (v - 0.5f) * 40.0f, 0}, angles, at);
        c.s = u * 4.0f;
        c.t = v * 4.0f;
        c.tmu_oow = 4.0f;
        c.r = c.g = c.b = 0;
        return c;
    };
    add_grid(out, NU, NV, corner);
}

uint16_t rgb565(int r, int g, int b)
{
    return (uint16_t)((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

}  // namespace

Scene make_scene(SceneKind kind, int frame_count)
{
    Scene scene;
    scene.frames.resize(frame_count);
    for (int i = 0; i < frame_count; ++i) {
        float t = 0.3f + 6.0f * i / frame_count;
        switch (kind) {
        case SCENE_TORUS: torus_frame(scene.frames[i], t); break;
        case SCENE_CUBES: cubes_frame(scene.frames[i], t); break;
        case SCENE_LOGO: logo_frame(scene.frames[i], t * 0.5f); break;
        }
    }
    scene.combine = kind == SCENE_TORUS ? GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB : GR_COLORCOMBINE_DECAL_TEXTURE;
    scene.stw_hint = kind != SCENE_LOGO;
    return scene;
}

void prepare_scene(const Scene &scene)
{
    // A 256x256 chain, each level the 2x2 average of the one above: tiles
    // of colour with a bright grid, and a gradient so that the texels next to
    // (0, 0), which the cubes sample, differ.
    std::vector<std::vector<uint32_t>> levels;
    std::vector<uint32_t> top(256 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            bool line = x % 32 == 0 || y % 32 == 0;
            int tile = (x / 32 + y / 32) % 3;
            int r = line ? 255 : tile == 0 ? 200 : 40 + x / 2;
            int g = line ? 255 : tile == 1 ? 180 : 60 + y / 2;
            int b = line ? 255 : tile == 2 ? 220 : 90;
            top[y * 256 + x] = (uint32_t)(r << 16 | g << 8 | b);
        }
    levels.push_back(top);
    for (int side = 128; side >= 1; side /= 2) {
        const std::vector<uint32_t> &up = levels.back();
        std::vector<uint32_t> level(side * side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                uint32_t sum[3] = {0, 0, 0};
                for (int k = 0; k < 4; ++k) {
                    uint32_t p = up[(2 * y + k / 2) * side * 2 + 2 * x + k % 2];
                    sum[0] += p >> 16 & 255;
                    sum[1] += p >> 8 & 255;
                    sum[2] += p & 255;
                }
                level[y * side + x] = (sum[0] / 4) << 16 | (sum[1] / 4) << 8 | sum[2] / 4;
            }
        levels.push_back(level);
    }
    std::vector<uint16_t> texels;
    for (const auto &level : levels)
        for (uint32_t p : level)
            texels.push_back(rgb565(p >> 16 & 255, p >> 8 & 255, p & 255));

    guTexMemReset();
    GrMipMapId_t id = guTexAllocateMemory(
        GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, 256, 256, GR_TEXFMT_RGB_565, GR_MIPMAP_NEAREST_DITHER, GR_LOD_1,
        GR_LOD_256, GR_ASPECT_1x1, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP, GR_TEXTUREFILTER_BILINEAR,
        GR_TEXTUREFILTER_BILINEAR, 0.0f, FXFALSE);
    guTexDownloadMipMap(id, texels.data(), nullptr);
    guTexSource(id);
    guColorCombineFunction(scene.combine);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    guAlphaSource(GR_ALPHASOURCE_TEXTURE_ALPHA);
    grHints(GR_HINT_STWHINT, scene.stw_hint ? GR_STWHINT_W_DIFF_TMU0 : 0);
    grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);
}

void draw_scene_frame(const Scene &scene, int i)
{
    const std::vector<GrVertex> &v = scene.frames[i % scene.frames.size()];
    for (size_t k = 0; k + 2 < v.size(); k += 3)
        guDrawTriangleWithClip(&v[k], &v[k + 1], &v[k + 2]);
    grBufferSwap(2);
    grBufferClear(0, 0, GR_WDEPTHVALUE_FARTHEST);
    grSstIdle();
}
